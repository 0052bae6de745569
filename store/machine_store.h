#pragma once
// The machine table of one system.lib and the operations on it. Machines are addressed by
// their position in the table counted from 0 (index 0 is the first machine, stored in record 7
// and gear-list slot 1). The table in memory is the master copy; every operation reads the
// file anew, patches only the regions it changes, saves the result crash-safely, and changes
// the table in memory only once the save succeeded. No file handle is held between calls.

#include "store/file_system.h"
#include "store/lib_image.h"
#include "store/machine_entry.h"
#include "store/new_machine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gearsel {

class MachineStore {
public:
    // Name given to a new machine whose name is empty.
    static constexpr const char* kDefaultName = "新的机床名称";

    // Reads the machine table of the existing file `path`. Throws StoreError when the file is
    // missing, unreadable or damaged (see machine_store.cpp for the rules). A file that holds
    // no machine opens with an empty table. `fs` must outlive the store.
    static MachineStore open(const std::string& path, FileSystem& fs = posixFileSystem());

    // Writes a new data file holding `machines`; refuses when `path` already exists.
    static void createFile(const std::string& path, const std::vector<NewMachine>& machines,
                           FileSystem& fs = posixFileSystem());

    // The path the store was opened on.
    const std::string& path() const noexcept { return path_; }
    // The machines in table order.
    const std::vector<MachineEntry>& machines() const noexcept { return machines_; }

    // The machine's tooth counts in stored order, each moved into 10..255 as the program uses
    // them. Reads the file.
    std::vector<std::int16_t> gearList(int index) const;
    // The same values exactly as stored.
    std::vector<std::int16_t> storedGearList(int index) const;

    // Adds a machine at the end of the table; returns its index. An empty name becomes
    // kDefaultName; the gear list is stored in ascending order.
    int addMachine(const std::string& name, std::int16_t zn, std::vector<std::int16_t> gears);
    // Adds several machines in one save, all or none; returns the index of the first.
    int addMachines(const std::vector<NewMachine>& machines);
    // Adds a machine at the end with the name `newName` and the Zn and gear list (as read) of
    // machine `index`; returns its index.
    int copyMachine(int index, const std::string& newName);
    // Gives machine `index` a new name; its place, Zn and gear list stay.
    void renameMachine(int index, const std::string& newName);
    // Removes machine `index`; the machines after it move up one place, each with its own gear
    // list. The last remaining machine cannot be deleted.
    void deleteMachine(int index);
    // Replaces the gear list of machine `index`; it is stored in ascending order.
    void setGearList(int index, std::vector<std::int16_t> gears);

private:
    MachineStore(std::string path, FileSystem& fs) : path_(std::move(path)), fs_(&fs) {}

    LibImage readImage(mode_t* mode = nullptr) const;
    void checkIndex(int index) const;
    std::vector<std::int16_t> readSlot(const LibImage& image, int index) const;
    std::string storableName(const std::string& name, bool emptyAllowed) const;
    void checkGears(const std::string& name, const std::vector<std::int16_t>& gears) const;
    void save(LibImage& image, const std::vector<MachineEntry>& table, mode_t mode);

    std::string path_;
    FileSystem* fs_;
    std::vector<MachineEntry> machines_;
};

} // namespace gearsel
