// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test support: data files built byte by byte, with the layout written out here on its own so
// that the store is checked against an independent picture of the file; file helpers; and a
// test fixture with a temporary folder.

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gearsel::test {

inline const std::string kGbkJiChuang = "\xBB\xFA\xB4\xB2"; // 机床

// A data file image. Every byte that a test does not set holds a position-dependent pattern,
// so that a stray write anywhere shows in a whole-file comparison. Writes past the end grow
// the image with zero bytes.
struct LibBytes {
    explicit LibBytes(std::size_t size);

    static std::size_t recordAt(int record) { return 28 * static_cast<std::size_t>(record - 1); }
    static std::size_t slotAt(int machine) {
        return 824 * static_cast<std::size_t>(machine) + 8479;
    }
    // Record `record` (from 1): `name` padded with spaces to 24 bytes, then two integers.
    void record(int record, const std::string& name, int first, int second);
    // The header as every save writes it.
    void savedHeader(int count);
    void machine(int machine, const std::string& name, int zn, int gearCount) {
        record(machine + 6, name, zn, gearCount);
    }
    // Values from the start of the slot of machine `machine` (from 1).
    void slot(int machine, const std::vector<std::int16_t>& values);

    std::string bytes;
};

// Whether two file contents are equal; when not, the message gives the sizes and the first
// offset that differs instead of the bytes.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

// A store's machine table as text (stored name, Zn, gear count per machine), to compare tables.
template <typename Store> std::string tableText(const Store& store) {
    std::string text;
    for (const auto& m : store.machines()) {
        text += m.rawName + "|" + std::to_string(m.zn) + "|" + std::to_string(m.gearCount) + "\n";
    }
    return text;
}

// A test with a fresh temporary folder `dir`, removed with everything in it.
class FolderTest : public ::testing::Test {
protected:
    FolderTest();
    ~FolderTest() override;

    // The data file of the test, and its content.
    std::string lib() const { return (dir / "system.lib").string(); }
    std::string onDisk() const { return readFile(lib()); }
    // The names of the files in the folder, sorted.
    std::vector<std::string> entries() const;

    std::filesystem::path dir;
};

} // namespace gearsel::test
