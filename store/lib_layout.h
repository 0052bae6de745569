// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte layout of system.lib. The file is read two ways over the same bytes: as 28-byte
// records numbered from 1 (the header is record 5, machine i is record i + 6), and as gear-list
// slots of 824 bytes, slot i holding the tooth counts of machine i. Integers are signed 16-bit
// little-endian; names are 24 bytes of GBK padded with spaces. Machines are numbered from 1
// here, as in the file.

#include <cstddef>
#include <string_view>

namespace gearsel {

inline constexpr std::size_t kRecordSize = 28;
// A record: the name, then Zn (0 in the header), then the gear count (the machine count in
// the header).
inline constexpr std::size_t kZnField = 24;
inline constexpr std::size_t kCountField = 26;
inline constexpr int kHeaderRecord = 5;
// The header's name field as every save writes it: the title "machine change-gear table" of
// the original format, in GBK, padded with spaces. Ignored on reading.
inline constexpr std::string_view kHeaderTitle{"\xBB\xFA\xB4\xB2\xB9\xD2\xC2\xD6\xB1\xED"
                                               "              ",
                                               24};

// The table holds at most this many machines; a larger stored count reads as this.
inline constexpr int kMaxMachines = 255;
// Room of one gear-list slot, in tooth counts.
inline constexpr int kSlotCapacity = 412;
inline constexpr std::size_t kSlotSize = 2 * kSlotCapacity;
// No file the program reads (the data file, a list of machines to import) may be larger.
inline constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

// Offset of record `record` (counted from 1).
constexpr std::size_t recordOffset(int record) {
    return kRecordSize * static_cast<std::size_t>(record - 1);
}

// The record number of machine `machine` (counted from 1).
constexpr int machineRecord(int machine) {
    return machine + 6;
}

// Offset of the record of machine `machine` (counted from 1).
constexpr std::size_t machineRecordOffset(int machine) {
    return recordOffset(machineRecord(machine));
}

// Offset of the gear-list slot of machine `machine` (counted from 1). The formula goes on
// unchanged past machine 29, whose slot is the last to begin below file position 32768.
constexpr std::size_t slotOffset(int machine) {
    return kSlotSize * static_cast<std::size_t>(machine) + 8479;
}

static_assert(recordOffset(kHeaderRecord) == 112 && kHeaderTitle.size() == kZnField);
static_assert(machineRecordOffset(kMaxMachines) + kRecordSize == 7308);
static_assert(slotOffset(1) == 9303 && slotOffset(29) == 32375 && slotOffset(30) == 33199);

} // namespace gearsel
