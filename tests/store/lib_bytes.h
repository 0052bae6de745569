#pragma once
// Test support: data files built byte by byte, with the layout written out here on its own,
// so that the store is checked against an independent picture of the file; and temporary
// folders that clean up after themselves.

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gearsel::test {

// GBK bytes of a few names used by the tests.
inline const std::string kGbkJiChuang = "\xBB\xFA\xB4\xB2";                            // 机床
inline const std::string kGbkHeaderTitle = "\xBB\xFA\xB4\xB2\xB9\xD2\xC2\xD6\xB1\xED"; // 机床挂轮表

// A data file image. Every byte that a test does not set holds a position-dependent pattern,
// so that a stray write anywhere shows in a whole-file comparison.
class LibBytes {
public:
    explicit LibBytes(std::size_t size);

    std::string bytes;

    // Offsets as the file layout defines them, counted from 0.
    static std::size_t recordAt(int record) { return 28 * static_cast<std::size_t>(record - 1); }
    static std::size_t slotAt(int machine) {
        return 824 * static_cast<std::size_t>(machine) + 8479;
    }

    void int16At(std::size_t offset, int value);
    // A 28-byte record: `name` padded with spaces to 24 bytes, then two integers.
    void record(int record, const std::string& name, int first, int second);
    // The header as every save writes it.
    void savedHeader(int count) { record(5, kGbkHeaderTitle, 0, count); }
    // Machine `machine` (from 1): its record.
    void machine(int machine, const std::string& name, int zn, int gearCount) {
        record(machine + 6, name, zn, gearCount);
    }
    // Values from the start of the slot of machine `machine` (from 1).
    void slot(int machine, const std::vector<int>& values);
    // The first `count` values of the slot of machine `machine`.
    std::vector<int> slotValues(int machine, int count) const;
};

// Whether two file contents are equal; when not, the message gives the sizes and the first
// offset that differs instead of the bytes.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected);

// Writes `bytes` as the file `path`.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// The whole content of `path`.
std::string readFile(const std::filesystem::path& path);

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The names of the files in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

} // namespace gearsel::test
