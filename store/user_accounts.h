// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's users and groups, as far as saving a shared data file needs them: names for
// messages, and whether a user belongs to a group.

#include <string>
#include <sys/types.h>

namespace gearsel {

// The user's login name, or the number as text when the system knows none.
std::string userName(uid_t user);
// The group's name, or the number as text.
std::string groupName(gid_t group);
// Whether `user` belongs to `group`, as its primary group or as a further one. False when the
// system knows no such user.
bool userInGroup(uid_t user, gid_t group);

} // namespace gearsel
