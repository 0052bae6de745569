// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/user_accounts.h"

#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace gearsel {

namespace {

// Room for the strings of a passwd or group entry; large groups need more than the default.
std::vector<char> entryBuffer() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    return std::vector<char>(static_cast<std::size_t>(std::max(suggested, 16384L)));
}

bool findUser(uid_t user, passwd& entry, std::vector<char>& buffer) {
    passwd* found = nullptr;
    return ::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 &&
           found != nullptr;
}

} // namespace

std::string userName(uid_t user) {
    passwd entry{};
    std::vector<char> buffer = entryBuffer();
    return findUser(user, entry, buffer) ? std::string(entry.pw_name) : std::to_string(user);
}

std::string groupName(gid_t group) {
    struct group entry {};
    struct group* found = nullptr;
    std::vector<char> buffer = entryBuffer();
    if (::getgrgid_r(group, &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr) {
        return entry.gr_name;
    }
    return std::to_string(group);
}

bool userInGroup(uid_t user, gid_t group) {
    passwd entry{};
    std::vector<char> buffer = entryBuffer();
    if (!findUser(user, entry, buffer)) {
        return false;
    }
    if (entry.pw_gid == group) {
        return true;
    }
    std::vector<gid_t> groups(64);
    int count = static_cast<int>(groups.size());
    while (::getgrouplist(entry.pw_name, entry.pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count) + 64); // count says how many there are
        count = static_cast<int>(groups.size());
    }
    groups.resize(static_cast<std::size_t>(count));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

} // namespace gearsel
