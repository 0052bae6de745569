// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/constants_book.h"

#include <algorithm>

namespace gearsel {

std::vector<ConstantsBook::Entry>::iterator ConstantsBook::at(int index) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [index](const Entry& e) { return e.index == index; });
}

MachineConstants ConstantsBook::find(int index, const std::string& name) const {
    for (const Entry& entry : entries_) {
        if (entry.index == index && entry.name == name) {
            return entry.constants;
        }
    }
    return {};
}

void ConstantsBook::set(int index, const std::string& name, const MachineConstants& constants) {
    if (const auto old = at(index); old != entries_.end()) {
        entries_.erase(old);
    }
    if (noConstants(constants)) {
        return;
    }
    const auto place = std::find_if(entries_.begin(), entries_.end(),
                                    [index](const Entry& e) { return e.index > index; });
    entries_.insert(place, Entry{index, name, constants});
}

void ConstantsBook::keepMatching(const std::vector<MachineEntry>& table) {
    std::erase_if(entries_, [&table](const Entry& e) {
        return e.index < 0 || e.index >= static_cast<int>(table.size()) ||
               table[static_cast<std::size_t>(e.index)].name != e.name;
    });
}

void ConstantsBook::rename(int index, const std::string& newName) {
    if (const auto entry = at(index); entry != entries_.end()) {
        entry->name = newName;
    }
}

void ConstantsBook::copy(int from, int to, const std::string& newName) {
    if (const auto entry = at(from); entry != entries_.end()) {
        const MachineConstants constants = entry->constants;
        set(to, newName, constants);
    }
}

void ConstantsBook::remove(int index) {
    if (const auto entry = at(index); entry != entries_.end()) {
        entries_.erase(entry);
    }
    for (Entry& entry : entries_) {
        if (entry.index > index) {
            --entry.index;
        }
    }
}

void ConstantsBook::addMissing(const ConstantsBook& other) {
    for (const Entry& entry : other.entries_) {
        const bool known = std::any_of(entries_.begin(), entries_.end(), [&entry](const Entry& e) {
            return e.index == entry.index && e.name == entry.name;
        });
        if (!known) {
            const auto place =
                std::find_if(entries_.begin(), entries_.end(),
                             [&entry](const Entry& e) { return e.index > entry.index; });
            entries_.insert(place, entry);
        }
    }
}

} // namespace gearsel
