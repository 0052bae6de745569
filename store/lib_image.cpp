// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/lib_image.h"

#include <cassert>

namespace gearsel {

LibRecord LibImage::readRecord(int record) const {
    const std::size_t at = recordOffset(record);
    assert(holds(at, kRecordSize));
    return {bytes_.substr(at, kZnField), readInt16(at + kZnField), readInt16(at + kCountField)};
}

void LibImage::writeRecord(int record, const LibRecord& value) {
    assert(value.name.size() == kZnField);
    const std::size_t at = recordOffset(record);
    reserve(at + kRecordSize);
    bytes_.replace(at, kZnField, value.name);
    writeInt16(at + kZnField, value.zn);
    writeInt16(at + kCountField, value.count);
}

std::vector<std::int16_t> LibImage::readSlot(int machine, int count) const {
    const std::size_t at = slotOffset(machine);
    assert(count >= 0 && holds(at, 2 * static_cast<std::size_t>(count)));
    std::vector<std::int16_t> values(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = readInt16(at + 2 * i);
    }
    return values;
}

void LibImage::writeSlot(int machine, const std::vector<std::int16_t>& values) {
    if (values.empty()) {
        // Nothing is written, so the file does not grow to reach the slot either.
        return;
    }
    const std::size_t at = slotOffset(machine);
    reserve(at + 2 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        writeInt16(at + 2 * i, values[i]);
    }
}

std::int16_t LibImage::readInt16(std::size_t offset) const {
    const auto low = static_cast<unsigned char>(bytes_[offset]);
    const auto high = static_cast<unsigned char>(bytes_[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

void LibImage::writeInt16(std::size_t offset, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    bytes_[offset] = static_cast<char>(bits & 0xFF);
    bytes_[offset + 1] = static_cast<char>(bits >> 8);
}

void LibImage::reserve(std::size_t end) {
    if (bytes_.size() < end) {
        bytes_.resize(end, '\0');
    }
}

} // namespace gearsel
