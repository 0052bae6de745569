// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/machine_store.h"

#include "base/tooth_limits.h"
#include "base/trim.h"
#include "store/constants_file.h"

#include "store/gbk_name.h"
#include "store/regular_file.h"
#include "store/safe_write.h"
#include "store/store_conflict.h"
#include "store/store_error.h"
#include "store/user_accounts.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace gearsel {

// Rules for files the program did not write itself, and why:
// - A header count above 255 reads as 255 (the next save writes 255).
// - A negative header count, a negative gear count or one above 412 (the room of a slot) is
//   nothing the program ever writes; the file is reported as damaged rather than guessed at,
//   and it is not written, so nothing more is lost.
// - A file too short for its header, for the records its count claims, or for the gear
//   lists of its machines is reported as damaged for the same reason.
// - A file larger than any data file can be (16 MiB) is refused before it is read, and so is
//   anything that is not a regular file (a folder, a pipe, a device), without waiting on it.
// - A file with a count of 0 opens with an empty table; adding a machine repairs it.

namespace {

// The machine table of `image`, checked as described above; throws StoreError naming `path`.
std::vector<MachineEntry> readTable(const LibImage& image, const std::string& path) {
    using Kind = StoreProblem::Kind;
    const auto size = static_cast<long long>(image.size());
    if (image.size() == 0) {
        throw StoreError({.kind = Kind::EmptyDataFile, .file = path});
    }
    if (!image.holds(recordOffset(kHeaderRecord), kRecordSize)) {
        throw StoreError({.kind = Kind::HeaderCutShort, .file = path, .size = size});
    }
    const int stored = image.readRecord(kHeaderRecord).count;
    if (stored < 0) {
        throw StoreError({.kind = Kind::NegativeMachineCount, .file = path, .count = stored});
    }
    const int count = std::min(stored, kMaxMachines);
    if (count > 0 && !image.holds(machineRecordOffset(count), kRecordSize)) {
        throw StoreError(
            {.kind = Kind::RecordsCutShort, .file = path, .size = size, .count = count});
    }
    std::vector<MachineEntry> table;
    for (int i = 0; i < count; ++i) {
        const LibRecord record = image.readRecord(machineRecord(i + 1));
        MachineEntry entry{decodeName(record.name), record.name, record.zn, record.count};
        if (entry.gearCount < 0 || entry.gearCount > kSlotCapacity) {
            throw StoreError({.kind = Kind::GearCountOutOfRange,
                              .file = path,
                              .count = entry.gearCount,
                              .limit = kSlotCapacity,
                              .machine = i,
                              .name = entry.name});
        }
        if (!image.holds(slotOffset(i + 1), 2 * static_cast<std::size_t>(entry.gearCount))) {
            throw StoreError({.kind = Kind::GearListCutShort,
                              .file = path,
                              .size = size,
                              .machine = i,
                              .name = entry.name});
        }
        table.push_back(std::move(entry));
    }
    return table;
}

// Writes the header and the records of `table`; records after the table stay as they are.
void writeTable(LibImage& image, const std::vector<MachineEntry>& table) {
    image.writeRecord(kHeaderRecord,
                      {std::string(kHeaderTitle), 0, static_cast<std::int16_t>(table.size())});
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MachineEntry& entry = table[i];
        image.writeRecord(machineRecord(static_cast<int>(i) + 1),
                          {entry.rawName, entry.zn, entry.gearCount});
    }
}

// Throws StoreError when the constants file belongs to someone who neither owns the data file
// nor runs this program, in a folder where anyone may make files (a sticky /shared, say):
// there another user could plant one, and the formulas would then work with that user's
// leadscrew or K. In a folder that only its owner and group may write (a workshop's group
// folder), whoever made the file could as well have rewritten the data file itself, and saves
// by the group's members leave the two files owned by different members.
void refuseStrangers(FileSystem& fs, const std::string& path, const FileInfo& info,
                     const FileInfo& dataInfo) {
    const uid_t me = ::geteuid();
    if (info.owner == dataInfo.owner || info.owner == me) {
        return;
    }
    const std::filesystem::path target(path);
    FileInfo folder;
    const std::string folderPath =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    if (fs.statFile(folderPath, folder) == 0 && (folder.mode & S_IWOTH) == 0) {
        return;
    }
    throw StoreError({.kind = StoreProblem::Kind::ConstantsOfStranger,
                      .file = path,
                      .owner = userName(info.owner),
                      .dataOwner = userName(dataInfo.owner),
                      .user = userName(me)});
}

bool sameRecord(const MachineEntry& a, const MachineEntry& b) {
    return a.rawName == b.rawName && a.zn == b.zn && a.gearCount == b.gearCount;
}

std::vector<std::int16_t> clampedTeeth(std::vector<std::int16_t> gears) {
    for (auto& tooth : gears) {
        tooth = static_cast<std::int16_t>(std::clamp<int>(tooth, kMinTeeth, kMaxTeeth));
    }
    return gears;
}

} // namespace

std::string MachineStore::defaultName() {
    return decodeName(kDefaultNameGbk);
}

MachineStore MachineStore::open(const std::string& path, FileSystem& fs) {
    MachineStore store(path, fs);
    store.adopt(store.readSnapshot());
    return store;
}

void MachineStore::createFile(const std::string& path, const std::vector<NewMachine>& machines,
                              FileSystem& fs) {
    if (machines.empty() || machines.size() > static_cast<std::size_t>(kMaxMachines)) {
        throw StoreError({.kind = StoreProblem::Kind::MachineCountToCreate,
                          .file = path,
                          .limit = kMaxMachines});
    }
    MachineStore store(path, fs);
    const Prepared ready = store.prepare(machines);
    LibImage image;
    ConstantsBook book;
    for (std::size_t k = 0; k < ready.entries.size(); ++k) {
        image.writeSlot(static_cast<int>(k) + 1, ready.lists[k]);
        book.set(static_cast<int>(k), ready.entries[k].name, machines[k].constants);
    }
    writeTable(image, ready.entries);
    const FileLock lock = FileLock::acquire(fs, path, store.lockTimeout_);
    // The constants first, so that the data file never appears without them. A constants file
    // that is there already stays: its entries attach to the machines of the same number and
    // name, as they do when only the data file was deleted.
    const std::string sidecar = store.constantsPath();
    FileInfo info;
    const bool newConstants = !book.entries().empty() && fs.statFile(sidecar, info) == ENOENT;
    if (newConstants) {
        gearsel::createFile(fs, sidecar, constantsJson(book));
    }
    try {
        gearsel::createFile(fs, path, image.bytes());
    } catch (const StoreError&) {
        if (newConstants) {
            fs.remove(sidecar);
        }
        throw;
    }
}

bool MachineStore::fileChanged() {
    FileInfo info;
    if (fs_->statFile(path_, info) != 0) {
        return true;
    }
    if (info.stamp == stamp_) {
        return false;
    }
    std::string bytes;
    if (fs_->readFile(path_, kMaxFileSize, bytes, info) != 0 || info.kind != FileKind::Regular ||
        bytes != image_.bytes()) {
        return true;
    }
    stamp_ = info.stamp; // the same content written anew: nothing to reload
    return false;
}

void MachineStore::reload() {
    adopt(readSnapshot());
}

void MachineStore::withLock(const std::function<void()>& steps) {
    if (locked_) {
        reload();
        steps();
        return;
    }
    const FileLock lock = FileLock::acquire(*fs_, path_, lockTimeout_);
    locked_ = true;
    struct Unlocked {
        bool& flag;
        ~Unlocked() { flag = false; }
    } unlocked{locked_};
    reload();
    steps();
}

std::vector<std::int16_t> MachineStore::gearList(int index) const {
    return clampedTeeth(storedGearList(index));
}

std::vector<std::int16_t> MachineStore::storedGearList(int index) const {
    checkIndex(index);
    const Snapshot now = readSnapshot();
    expectUnchanged(now, index);
    return readSlot(now.image, now.table, index);
}

int MachineStore::addMachine(const std::string& name, std::int16_t zn,
                             std::vector<std::int16_t> gears) {
    return addMachines({NewMachine{name, zn, std::move(gears)}});
}

int MachineStore::addMachines(const std::vector<NewMachine>& machines) {
    const Prepared ready = prepare(machines);
    if (ready.entries.empty()) {
        return static_cast<int>(machines_.size());
    }
    int first = 0;
    update([&](Snapshot& now) {
        first = static_cast<int>(now.table.size());
        if (ready.entries.size() > static_cast<std::size_t>(kMaxMachines - first)) {
            throw StoreError({.kind = StoreProblem::Kind::TableFull,
                              .file = path_,
                              .count = first,
                              .limit = kMaxMachines,
                              .adding = static_cast<long long>(ready.entries.size())});
        }
        // A damaged constants file refuses only an addition that brings constants.
        const bool anyConstants = std::any_of(machines.begin(), machines.end(), [](const auto& m) {
            return !noConstants(m.constants);
        });
        for (std::size_t k = 0; k < ready.entries.size(); ++k) {
            const int index = first + static_cast<int>(k);
            now.table.push_back(ready.entries[k]);
            now.image.writeSlot(index + 1, ready.lists[k]);
            if (anyConstants) {
                changeableConstants(now).set(index, ready.entries[k].name, machines[k].constants);
            }
        }
    });
    return first;
}

void MachineStore::replaceMachines(const std::vector<NewMachine>& machines) {
    if (machines.empty() || machines.size() > static_cast<std::size_t>(kMaxMachines)) {
        throw StoreError({.kind = StoreProblem::Kind::MachineCountToReplace,
                          .file = path_,
                          .count = static_cast<long long>(machines.size()),
                          .limit = kMaxMachines});
    }
    const Prepared ready = prepare(machines);
    update([&](Snapshot& now) {
        ConstantsBook& book = changeableConstants(now);
        book = ConstantsBook();
        now.table = ready.entries;
        for (std::size_t k = 0; k < ready.entries.size(); ++k) {
            now.image.writeSlot(static_cast<int>(k) + 1, ready.lists[k]);
            book.set(static_cast<int>(k), ready.entries[k].name, machines[k].constants);
        }
    });
}

int MachineStore::copyMachine(int index, const std::string& newName) {
    checkIndex(index);
    const std::string raw = storableName(newName, false);
    int copy = 0;
    update([&](Snapshot& now) {
        expectUnchanged(now, index);
        copy = static_cast<int>(now.table.size());
        if (copy >= kMaxMachines) {
            throw StoreError({.kind = StoreProblem::Kind::NoRoomForCopy,
                              .file = path_,
                              .count = copy,
                              .limit = kMaxMachines});
        }
        const MachineEntry& source = now.table[static_cast<std::size_t>(index)];
        now.image.writeSlot(copy + 1, clampedTeeth(readSlot(now.image, now.table, index)));
        now.table.push_back({decodeName(raw), raw, source.zn, source.gearCount});
        changeableConstants(now).copy(index, copy, now.table.back().name);
    });
    return copy;
}

void MachineStore::renameMachine(int index, const std::string& newName) {
    checkIndex(index);
    const std::string raw = storableName(newName, false);
    update([&](Snapshot& now) {
        expectUnchanged(now, index);
        MachineEntry& entry = now.table[static_cast<std::size_t>(index)];
        entry.name = decodeName(raw);
        entry.rawName = raw;
        changeableConstants(now).rename(index, entry.name);
    });
}

void MachineStore::deleteMachine(int index) {
    checkIndex(index);
    update([&](Snapshot& now) {
        expectUnchanged(now, index);
        const int count = static_cast<int>(now.table.size());
        if (count == 1) {
            throw StoreError({.kind = StoreProblem::Kind::LastMachine,
                              .file = path_,
                              .machine = index,
                              .name = now.table.front().name});
        }
        // Machine j + 1 (index j) moves to number j, taking exactly its own values along; the
        // rest of each slot keeps what was there, as a move value by value in place would.
        const LibImage original = now.image;
        for (int j = index + 1; j < count; ++j) {
            now.image.writeSlot(j, readSlot(original, now.table, j));
        }
        now.table.erase(now.table.begin() + index);
        changeableConstants(now).remove(index);
    });
}

void MachineStore::setGearList(int index, std::vector<std::int16_t> gears) {
    checkIndex(index);
    std::sort(gears.begin(), gears.end());
    checkGears(machines_[static_cast<std::size_t>(index)].name, gears);
    update([&](Snapshot& now) {
        expectUnchanged(now, index);
        now.image.writeSlot(index + 1, gears);
        now.table[static_cast<std::size_t>(index)].gearCount =
            static_cast<std::int16_t>(gears.size());
    });
}

std::string MachineStore::constantsPath() const {
    return gearsel::constantsPath(path_);
}

MachineConstants MachineStore::constants(int index) const {
    checkIndex(index);
    const Snapshot now = readSnapshot();
    expectUnchanged(now, index);
    const ConstantsSnapshot side = readConstants(now.table, now.info);
    if (side.damage) {
        throw *side.damage;
    }
    return side.book.find(index, now.table[static_cast<std::size_t>(index)].name);
}

std::vector<MachineConstants> MachineStore::allConstants() const {
    const Snapshot now = readSnapshot();
    if (now.image.bytes() != image_.bytes()) {
        throw StoreConflict({.kind = StoreProblem::Kind::FileChanged, .file = path_});
    }
    const ConstantsSnapshot side = readConstants(now.table, now.info);
    if (side.damage) {
        throw *side.damage;
    }
    std::vector<MachineConstants> all;
    for (std::size_t i = 0; i < now.table.size(); ++i) {
        all.push_back(side.book.find(static_cast<int>(i), now.table[i].name));
    }
    return all;
}

void MachineStore::setConstants(int index, const MachineConstants& constants) {
    checkMachineConstants(constants);
    checkIndex(index);
    update(
        [&](Snapshot& now) {
            expectUnchanged(now, index);
            changeableConstants(now).set(index, now.table[static_cast<std::size_t>(index)].name,
                                         constants);
        },
        false);
}

MachineStore::Prepared MachineStore::prepare(const std::vector<NewMachine>& machines) const {
    Prepared ready;
    for (const NewMachine& wanted : machines) {
        checkMachineConstants(wanted.constants);
        const std::string raw = storableName(wanted.name, true);
        std::vector<std::int16_t> gears = wanted.gears;
        std::sort(gears.begin(), gears.end());
        checkGears(decodeName(raw), gears);
        ready.entries.push_back(
            {decodeName(raw), raw, wanted.zn, static_cast<std::int16_t>(gears.size())});
        ready.lists.push_back(std::move(gears));
    }
    return ready;
}

MachineStore::Snapshot MachineStore::readSnapshot() const {
    Snapshot now;
    now.image = LibImage(readRegularFile(*fs_, path_, kMaxFileSize, now.info));
    now.table = readTable(now.image, path_);
    return now;
}

void MachineStore::adopt(Snapshot snapshot) {
    machines_ = std::move(snapshot.table);
    image_ = std::move(snapshot.image);
    stamp_ = snapshot.info.stamp;
}

void MachineStore::update(const std::function<void(Snapshot&)>& change, bool savesTable) {
    std::optional<FileLock> lock;
    if (!locked_) {
        lock.emplace(FileLock::acquire(*fs_, path_, lockTimeout_));
    }
    Snapshot now = readSnapshot();
    const bool othersChanged = now.image.bytes() != image_.bytes();
    now.constants = readConstants(now.table, now.info);
    const ConstantsBook before = now.constants.book;
    change(now);

    // The constants file is written only when what it says changes: when the change moved,
    // copied, set or dropped constants, or, after a save of the table, to drop the entries of
    // machines that are gone. A file that says the same in other words (written by hand, say)
    // stays as it is, and a damaged or untrusted one is left alone.
    const ConstantsSnapshot& side = now.constants;
    const std::string constants = constantsJson(side.book);
    const bool entriesChange = !side.damage && constants != constantsJson(before);
    const bool staleEntries =
        !side.damage && side.exists && constantsJson(side.stored) != constants;
    // Refused before anything is written, so that a refusal leaves both files as they were.
    if (savesTable) {
        refuseHardLinks(path_, now.info);
    }
    if (entriesChange && side.exists) {
        refuseHardLinks(constantsPath(), side.info);
    }
    if (savesTable) {
        writeTable(now.image, now.table);
        saveBoth(now, before, entriesChange, staleEntries);
    } else if (entriesChange) {
        writeConstants(side, now.info, constants);
    }
    // Every successful save clears what saves of either file that were cut short left behind.
    try {
        removeStaleTemps(*fs_, saveTarget(path_));
        removeStaleTemps(*fs_, constantsPath());
    } catch (const StoreError&) {
        // The data file became a link to nowhere meanwhile: the save stands, the next one tidies.
    }
    adopt(std::move(now));
    sawOtherChanges_ = othersChanged;
}

void MachineStore::saveBoth(Snapshot& now, const ConstantsBook& before, bool entriesChange,
                            bool staleEntries) {
    const ConstantsSnapshot& side = now.constants;
    const std::string constants = constantsJson(side.book);
    // The two files cannot change in one step. Meanwhile the constants file holds the entries
    // for the table before and after the change, so that whenever the change is cut short they
    // match the data file as it is, and no machine gets another's.
    std::string between;
    if (entriesChange) {
        ConstantsBook both = side.book;
        both.addMissing(before);
        between = constantsJson(both);
        writeConstants(side, now.info, between);
    }
    try {
        replaceFile(*fs_, path_, now.image.bytes(), now.info);
    } catch (const StoreError&) {
        if (entriesChange) {
            try {
                if (side.exists) {
                    writeConstants(side, now.info, side.bytes);
                } else {
                    fs_->remove(constantsPath());
                }
            } catch (const StoreError&) {
                // The entries for the old table are in the file as well; it still matches.
            }
        }
        throw;
    }
    // Dropping the entries for the old table, or for machines that went earlier, needs no
    // second step: the file matches the data file with them and without them.
    if ((entriesChange && between != constants) || (!entriesChange && staleEntries)) {
        // A file made by the first step has the data file's owner and mode by now.
        ConstantsSnapshot written = side;
        written.exists = true;
        try {
            if (side.exists || fs_->statFile(constantsPath(), written.info) == 0) {
                writeConstants(written, now.info, constants);
            }
        } catch (const StoreError&) {
            // The change is saved and the constants file matches it; the entries it still holds
            // for machines that are gone are dropped by the next change.
        }
    }
    // Still under the lock, so the file is the one just saved. Without its stamp the next
    // fileChanged() compares the bytes instead.
    if (fs_->statFile(path_, now.info) != 0) {
        now.info.stamp = {};
    }
}

MachineStore::ConstantsSnapshot MachineStore::readConstants(const std::vector<MachineEntry>& table,
                                                            const FileInfo& dataInfo) const {
    ConstantsSnapshot side;
    const std::string path = constantsPath();
    FileInfo info;
    if (fs_->statFile(path, info) == ENOENT) {
        return side;
    }
    side.exists = true;
    try {
        side.bytes = readRegularFile(*fs_, path, kMaxConstantsFileSize, side.info);
        refuseStrangers(*fs_, path, side.info, dataInfo);
        side.stored = parseConstants(side.bytes, path);
        side.book = side.stored;
        side.book.keepMatching(table);
    } catch (const StoreError& e) {
        side.damage = e;
    }
    return side;
}

ConstantsBook& MachineStore::changeableConstants(Snapshot& now) {
    if (now.constants.damage) {
        throw *now.constants.damage;
    }
    return now.constants.book;
}

void MachineStore::writeConstants(const ConstantsSnapshot& side, const FileInfo& dataInfo,
                                  const std::string& bytes) {
    // A new constants file gets the data file's owner, group and mode, so that whoever may
    // change the machines may change their constants too.
    if (side.exists) {
        replaceFile(*fs_, constantsPath(), bytes, side.info);
    } else {
        gearsel::createFile(*fs_, constantsPath(), bytes, &dataInfo);
    }
}

void MachineStore::checkIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(machines_.size())) {
        throw StoreError({.kind = StoreProblem::Kind::NoSuchMachine,
                          .file = path_,
                          .count = static_cast<long long>(machines_.size()),
                          .machine = index});
    }
}

void MachineStore::expectUnchanged(const Snapshot& now, int index) const {
    const auto slot = static_cast<std::size_t>(index);
    if (slot < now.table.size() && sameRecord(now.table[slot], machines_[slot]) &&
        readSlot(now.image, now.table, index) == readSlot(image_, machines_, index)) {
        return;
    }
    throw StoreConflict({.kind = StoreProblem::Kind::MachineChanged,
                         .file = path_,
                         .machine = index,
                         .name = machines_[slot].name});
}

std::vector<std::int16_t> MachineStore::readSlot(const LibImage& image,
                                                 const std::vector<MachineEntry>& table,
                                                 int index) const {
    // readTable() has checked that every gear list lies inside the file.
    return image.readSlot(index + 1, table[static_cast<std::size_t>(index)].gearCount);
}

std::string MachineStore::storableName(const std::string& name, bool emptyAllowed) const {
    std::string text(trimmed(name, " "));
    if (text.empty()) {
        if (!emptyAllowed) {
            throw StoreError({.kind = StoreProblem::Kind::EmptyName, .file = path_});
        }
        return std::string(kDefaultNameGbk);
    }
    EncodedName encoded = encodeName(text);
    if (!encoded.encoded()) {
        throw StoreError({.kind = StoreProblem::Kind::NameNotStorable,
                          .file = path_,
                          .nameProblem = encoded.problem});
    }
    return std::move(encoded.bytes);
}

void MachineStore::checkGears(const std::string& name,
                              const std::vector<std::int16_t>& gears) const {
    if (gears.size() > static_cast<std::size_t>(kSlotCapacity)) {
        throw StoreError({.kind = StoreProblem::Kind::TooManyGears,
                          .file = path_,
                          .count = static_cast<long long>(gears.size()),
                          .limit = kSlotCapacity,
                          .name = name});
    }
    for (const std::int16_t tooth : gears) {
        if (tooth < kMinTeeth || tooth > kMaxTeeth) {
            throw StoreError({.kind = StoreProblem::Kind::ToothOutOfRange,
                              .file = path_,
                              .count = tooth,
                              .name = name});
        }
    }
}

} // namespace gearsel
