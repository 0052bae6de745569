// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FileSystem over the POSIX calls of the running system.

#include "store/file_system.h"

namespace gearsel {

class PosixFileSystem : public FileSystem {
public:
    int readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                 FileInfo& info) override;
    int statFile(const std::string& path, FileInfo& info) override;
    int lockFile(const std::string& path, std::chrono::milliseconds timeout, int& fd) override;
    int checkWritable(const std::string& path) override;
    int createTemp(std::string& pathTemplate, int& fd) override;
    int writeAll(int fd, std::string_view bytes) override;
    int setOwner(int fd, uid_t owner, gid_t group) override;
    int setMode(int fd, mode_t mode) override;
    int sync(int fd) override;
    int close(int fd) override;
    int rename(const std::string& from, const std::string& to) override;
    int link(const std::string& from, const std::string& to) override;
    int remove(const std::string& path) override;
    int syncFolder(const std::string& folder) override;
};

} // namespace gearsel
