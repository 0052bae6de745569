#include "lib_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace gearsel::test {

LibBytes::LibBytes(std::size_t size) : bytes(size, '\0') {
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) % 251);
    }
}

void LibBytes::int16At(std::size_t offset, int value) {
    if (bytes.size() < offset + 2) {
        bytes.resize(offset + 2, '\0');
    }
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void LibBytes::record(int record, const std::string& name, int first, int second) {
    const std::size_t at = recordAt(record);
    if (bytes.size() < at + 28) {
        bytes.resize(at + 28, '\0');
    }
    std::string field = name;
    field.resize(24, ' ');
    bytes.replace(at, 24, field);
    int16At(at + 24, first);
    int16At(at + 26, second);
}

void LibBytes::slot(int machine, const std::vector<int>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        int16At(slotAt(machine) + 2 * i, values[i]);
    }
}

std::vector<int> LibBytes::slotValues(int machine, int count) const {
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        const std::size_t at = slotAt(machine) + 2 * static_cast<std::size_t>(i);
        const auto low = static_cast<unsigned char>(bytes.at(at));
        const auto high = static_cast<unsigned char>(bytes.at(at + 1));
        values.push_back(static_cast<std::int16_t>(low | (high << 8)));
    }
    return values;
}

::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const auto diff = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure()
           << "sizes " << actual.size() << " and " << expected.size()
           << ", first difference at offset " << (diff.first - actual.begin());
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gearsel_test_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::string> TempDir::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace gearsel::test
