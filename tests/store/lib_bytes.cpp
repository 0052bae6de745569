// SPDX-License-Identifier: GPL-3.0-or-later
#include "lib_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace gearsel::test {

namespace {

void int16At(std::string& bytes, std::size_t at, int value) {
    if (bytes.size() < at + 2) {
        bytes.resize(at + 2, '\0');
    }
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

} // namespace

LibBytes::LibBytes(std::size_t size) : bytes(size, '\0') {
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) % 251);
    }
}

void LibBytes::record(int record, const std::string& name, int first, int second) {
    const std::size_t at = recordAt(record);
    int16At(bytes, at + 26, second); // first, so that the image holds the whole record
    std::string field = name;
    field.resize(24, ' ');
    bytes.replace(at, 24, field);
    int16At(bytes, at + 24, first);
}

void LibBytes::savedHeader(int count) {
    record(5, "\xBB\xFA\xB4\xB2\xB9\xD2\xC2\xD6\xB1\xED", 0, count); // 机床挂轮表
}

void LibBytes::slot(int machine, const std::vector<std::int16_t>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        int16At(bytes, slotAt(machine) + 2 * i, values[i]);
    }
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
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

FolderTest::FolderTest() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gearsel_test_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    dir = pattern;
}

FolderTest::~FolderTest() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

std::vector<std::string> FolderTest::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace gearsel::test
