// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of a data file in memory, read and patched by record and by gear-list slot. Every
// change of the file is made on such an image and then saved whole, so that bytes outside
// the patched regions stay exactly as they were.

#include "store/lib_layout.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel {

// One 28-byte record as stored.
struct LibRecord {
    std::string name;       // the 24 name bytes, unchanged
    std::int16_t zn = 0;    // Zn of a machine; 0 in the header
    std::int16_t count = 0; // gear count of a machine; machine count in the header
};

class LibImage {
public:
    explicit LibImage(std::string bytes = {}) : bytes_(std::move(bytes)) {}

    // The whole content, as it is to be saved.
    const std::string& bytes() const noexcept { return bytes_; }
    std::size_t size() const noexcept { return bytes_.size(); }
    // Whether the `length` bytes at `offset` lie inside the file; no bytes always do.
    bool holds(std::size_t offset, std::size_t length) const noexcept {
        return length == 0 || (offset <= bytes_.size() && length <= bytes_.size() - offset);
    }

    // Reads record `record` (counted from 1); it must lie inside the file.
    LibRecord readRecord(int record) const;
    // Writes record `record`; `value.name` must be 24 bytes. A file too short for it grows,
    // with zero bytes in any gap.
    void writeRecord(int record, const LibRecord& value);

    // Reads the first `count` values of the slot of machine `machine`; they must lie inside
    // the file.
    std::vector<std::int16_t> readSlot(int machine, int count) const;
    // Writes `values` from the start of the slot of machine `machine` and leaves the rest of
    // the slot as it was. A file too short for them grows, with zero bytes in any gap.
    void writeSlot(int machine, const std::vector<std::int16_t>& values);

private:
    std::int16_t readInt16(std::size_t offset) const;
    void writeInt16(std::size_t offset, std::int16_t value);
    void reserve(std::size_t end);

    std::string bytes_;
};

} // namespace gearsel
