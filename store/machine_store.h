// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine table of one system.lib and the operations on it. Machines are addressed by
// their position in the table counted from 0 (index 0 is the first machine, stored in record 7
// and gear-list slot 1). No file handle is held between calls.
//
// The file is shared: the window and any number of gearsel-cli runs may change it at once.
// - The store keeps the table as it last read or wrote it (machines()). fileChanged() tells
//   cheaply whether the file has changed since; reload() reads the table anew.
// - Every change (add, copy, rename, delete, set gears, add several) takes the file's write
//   lock (FileLock), reads the file as it is at that moment, applies the change to that
//   table, saves it crash-safely and lets go of the lock. Changes that others made meanwhile
//   are kept; after a successful change machines() is the table as saved, theirs included,
//   and sawOtherChanges() says whether there were any.
//   A writer that cannot get the lock within the lock timeout gives up with a StoreError and
//   changes nothing.
// - A change or a read aimed at a machine by its index goes ahead only when that machine's
//   record (name, Zn, gear count) and stored gear list in the file are still what this store
//   last read; otherwise it throws StoreConflict and changes nothing, so that no change meant
//   for one machine lands on another. The caller then reloads and shows what is stored.
// - withLock() holds the lock across a caller's own steps, for a caller that picks a machine
//   by name or number and changes it in one go (the command-line tool).
// The table in memory changes only through a successful save or a reload.
//
// Each machine's constants for the ratio formulas (leadscrew, gearbox ratio, K, C, N) are kept
// in a second file beside the data file (constants_file.h), written crash-safely under the same
// lock. Copy, rename and delete take a machine's constants along, within the same change; the
// constants file is keyed by position and name, so that what a program unaware of it (an older
// version) did to the table never gives one machine another's constants. A missing constants
// file means no constants; a damaged one is never written: reading constants and the changes
// that would have to move them (copy, rename, delete) are refused with its damage, all other
// changes go ahead and leave it alone.

#include "engine/machine_constants.h"
#include "store/constants_book.h"
#include "store/file_info.h"
#include "store/file_lock.h"
#include "store/file_system.h"
#include "store/lib_image.h"
#include "store/machine_entry.h"
#include "store/new_machine.h"
#include "store/store_error.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gearsel {

class MachineStore {
public:
    // The stored name of a new machine whose name is empty: "new machine name" in GBK, padded
    // with spaces as every stored name is.
    static constexpr std::string_view kDefaultNameGbk{"\xD0\xC2\xB5\xC4\xBB\xFA\xB4\xB2\xC3\xFB"
                                                      "\xB3\xC6            ",
                                                      24};
    // That name as text.
    static std::string defaultName();

    // Reads the machine table of the existing file `path`. Throws StoreError when the file is
    // missing, unreadable, not a regular file or damaged (see machine_store.cpp for the
    // rules). A file that holds no machine opens with an empty table. `fs` must outlive the
    // store.
    static MachineStore open(const std::string& path, FileSystem& fs = posixFileSystem());

    // Writes a new data file holding `machines`, and their constants file unless one is there;
    // refuses when `path` already exists.
    static void createFile(const std::string& path, const std::vector<NewMachine>& machines,
                           FileSystem& fs = posixFileSystem());

    // The path the store was opened on.
    const std::string& path() const noexcept { return path_; }
    // The machines in table order, as the store last read or saved them.
    const std::vector<MachineEntry>& machines() const noexcept { return machines_; }

    // How long a change waits for the lock while another program changes the file
    // (FileLock::kDefaultTimeout, 5 seconds, unless set).
    void setLockTimeout(std::chrono::milliseconds timeout) noexcept { lockTimeout_ = timeout; }

    // Whether the last successful change found the file changed by another program since
    // this store last read or saved it; machines() then holds those changes as well.
    bool sawOtherChanges() const noexcept { return sawOtherChanges_; }
    // Whether the file's content differs from what the store last read or saved: a different
    // file, size or modification time, and then different bytes. A file that cannot be looked
    // at counts as changed (reload() then reports why).
    bool fileChanged();
    // Reads the table anew from the file. Throws StoreError as open() does; the table stays
    // as it was then.
    void reload();
    // Takes the write lock, reloads the table and runs `steps` under the lock, which every
    // change made by `steps` uses as well. Throws what reload() and `steps` throw, after
    // letting go of the lock.
    void withLock(const std::function<void()>& steps);

    // The machine's tooth counts in stored order, each moved into 10..255 as the program uses
    // them. Reads the file; StoreConflict when the machine changed there.
    std::vector<std::int16_t> gearList(int index) const;
    // The same values exactly as stored.
    std::vector<std::int16_t> storedGearList(int index) const;

    // Adds a machine at the end of the table; returns its index. An empty name becomes the
    // default name (kDefaultNameGbk); the gear list is stored in ascending order.
    int addMachine(const std::string& name, std::int16_t zn, std::vector<std::int16_t> gears);
    // Adds several machines in one save, all or none, each with its constants; returns the index
    // of the first. Throws ValueRefused for constants that no formula accepts.
    int addMachines(const std::vector<NewMachine>& machines);
    // Makes `machines` (1 to 255) the whole table, with their constants and no others, in one
    // change: what a backup holds, restored. Throws as addMachines(), and StoreError when the
    // constants file is damaged, which this change would have to rewrite.
    void replaceMachines(const std::vector<NewMachine>& machines);
    // Adds a machine at the end with the name `newName` and the Zn, gear list (as read) and
    // constants of machine `index`; returns its index.
    int copyMachine(int index, const std::string& newName);
    // Gives machine `index` a new name; its place, Zn and gear list stay.
    void renameMachine(int index, const std::string& newName);
    // Removes machine `index`; the machines after it move up one place, each with its own gear
    // list. The last remaining machine cannot be deleted.
    void deleteMachine(int index);
    // Replaces the gear list of machine `index`; it is stored in ascending order.
    void setGearList(int index, std::vector<std::int16_t> gears);

    // The file that keeps the machines' constants. Throws StoreError as saveTarget() does.
    std::string constantsPath() const;
    // The constants kept for machine `index`, all unknown when none are. Reads both files;
    // StoreConflict when the machine changed in the data file, StoreError when the constants
    // file is damaged or cannot be read.
    MachineConstants constants(int index) const;
    // The constants of every machine of the table, in table order, read in one go (for a
    // backup). StoreConflict when the table changed in the file, StoreError as constants().
    std::vector<MachineConstants> allConstants() const;
    // Keeps `constants` for machine `index` (all unknown forgets them), under the lock and with
    // the conflict guard of every change aimed at one machine. Throws ValueRefused for
    // constants that no formula accepts (checkMachineConstants), before anything else.
    void setConstants(int index, const MachineConstants& constants);

private:
    // The constants file as read now.
    struct ConstantsSnapshot {
        bool exists = false;
        std::optional<StoreError> damage; // why it cannot be used
        std::string bytes;
        FileInfo info;
        ConstantsBook stored; // its entries as written
        ConstantsBook book;   // those that match the table it was read with
    };
    // The file as read now: its bytes, its status and its table; within a change also the
    // constants file.
    struct Snapshot {
        LibImage image;
        FileInfo info;
        std::vector<MachineEntry> table;
        ConstantsSnapshot constants;
    };

    // New machines as they will be stored: records and sorted gear lists.
    struct Prepared {
        std::vector<MachineEntry> entries;
        std::vector<std::vector<std::int16_t>> lists;
    };

    MachineStore(std::string path, FileSystem& fs) : path_(std::move(path)), fs_(&fs) {}

    // Checks and prepares `machines` for storing; throws before anything is read or written.
    Prepared prepare(const std::vector<NewMachine>& machines) const;

    Snapshot readSnapshot() const;
    void adopt(Snapshot snapshot);
    // Runs `change` on the file as it is now, under the lock, saves and adopts the result;
    // with `savesTable` false only the constants file is saved.
    void update(const std::function<void(Snapshot&)>& change, bool savesTable = true);
    // Saves the table of `now` and, around it, the constants file (see update()).
    void saveBoth(Snapshot& now, const ConstantsBook& before, bool entriesChange,
                  bool staleEntries);
    // The constants file as read now; its entries matched against `table`, its owner against
    // that of the data file (`dataInfo`).
    ConstantsSnapshot readConstants(const std::vector<MachineEntry>& table,
                                    const FileInfo& dataInfo) const;
    // The constants of `now`, to be changed: throws the constants file's damage.
    static ConstantsBook& changeableConstants(Snapshot& now);
    void writeConstants(const ConstantsSnapshot& side, const FileInfo& dataInfo,
                        const std::string& bytes);
    void checkIndex(int index) const;
    // Throws StoreConflict unless machine `index` of `now` is as this store last read it.
    void expectUnchanged(const Snapshot& now, int index) const;
    std::vector<std::int16_t> readSlot(const LibImage& image,
                                       const std::vector<MachineEntry>& table, int index) const;
    std::string storableName(const std::string& name, bool emptyAllowed) const;
    void checkGears(const std::string& name, const std::vector<std::int16_t>& gears) const;

    std::string path_;
    FileSystem* fs_;
    std::vector<MachineEntry> machines_;
    LibImage image_;  // the bytes that machines_ was read from or saved as
    FileStamp stamp_; // the file's stamp then
    std::chrono::milliseconds lockTimeout_ = FileLock::kDefaultTimeout;
    bool locked_ = false; // withLock() holds the lock
    bool sawOtherChanges_ = false;
};

} // namespace gearsel
