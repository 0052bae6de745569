// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine constants kept beside a data file: one entry per machine that has any, keyed by
// the machine's position in the table and its name. A program that does not know of the
// constants (an older version) may rename, move or delete machines; an entry whose position and
// name no longer meet in the table is then dropped rather than given to another machine.

#include "engine/machine_constants.h"
#include "store/machine_entry.h"

#include <string>
#include <vector>

namespace gearsel {

class ConstantsBook {
public:
    struct Entry {
        int index = 0;    // the machine's position in the table, from 0
        std::string name; // its name as shown (MachineEntry::name)
        MachineConstants constants;
    };

    // The entries in ascending order of position; none has all constants unknown.
    const std::vector<Entry>& entries() const noexcept { return entries_; }

    // The constants kept for the machine at `index` named `name`; all unknown when none are.
    MachineConstants find(int index, const std::string& name) const;
    // Keeps `constants` for that machine, replacing what was kept for its position; constants
    // that are all unknown remove its entry.
    void set(int index, const std::string& name, const MachineConstants& constants);

    // Drops the entries that do not describe a machine of `table` by position and name.
    void keepMatching(const std::vector<MachineEntry>& table);
    // The machine at `index` got the name `newName`.
    void rename(int index, const std::string& newName);
    // The machine at `from` was copied to the new position `to` under `newName`.
    void copy(int from, int to, const std::string& newName);
    // The machine at `index` was removed; the machines after it moved up one place.
    void remove(int index);
    // Adds each entry of `other` whose position and name no entry here has.
    void addMissing(const ConstantsBook& other);

private:
    std::vector<Entry>::iterator at(int index);

    std::vector<Entry> entries_;
};

} // namespace gearsel
