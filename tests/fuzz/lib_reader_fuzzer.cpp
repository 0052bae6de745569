// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer harness over the data-file reader: any byte string, read as system.lib, must
// either open or be refused with a StoreError; no crash and no sanitizer report. Whatever
// opens is also read machine by machine and put through every operation, so that patching a
// damaged file is exercised too; the saves themselves are refused by the in-memory file system.
// The in-memory file system serves the same bytes for every path, so they are read as the
// machines' constants file as well, by every change and every read of constants.

#include "store/file_system.h"
#include "store/machine_store.h"
#include "store/store_error.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <functional>

namespace {

using gearsel::FileSystem;

// Serves the fuzzer's bytes as the only file and refuses every write.
class MemoryFileSystem final : public FileSystem {
public:
    explicit MemoryFileSystem(std::string bytes) : bytes_(std::move(bytes)) {}

    int readFile(const std::string& path, std::size_t maxSize, std::string& bytes,
                 gearsel::FileInfo& info) override {
        if (bytes_.size() > maxSize) {
            return EFBIG;
        }
        bytes = bytes_;
        return statFile(path, info);
    }
    int statFile(const std::string&, gearsel::FileInfo& info) override {
        info.kind = gearsel::FileKind::Regular;
        info.mode = 0644;
        info.stamp.size = static_cast<std::int64_t>(bytes_.size());
        return 0;
    }
    // Nobody else writes: the lock is always free, and there is no handle to close.
    int lockFile(const std::string&, std::chrono::milliseconds, int& fd) override {
        fd = -1;
        return 0;
    }
    int checkWritable(const std::string&) override { return 0; }
    int createTemp(std::string&, int&) override { return EROFS; }
    int writeAll(int, std::string_view) override { return EROFS; }
    int setOwner(int, uid_t, gid_t) override { return EROFS; }
    int setMode(int, mode_t) override { return EROFS; }
    int sync(int) override { return EROFS; }
    int close(int) override { return 0; }
    int rename(const std::string&, const std::string&) override { return EROFS; }
    int link(const std::string&, const std::string&) override { return EROFS; }
    int remove(const std::string&) override { return 0; }
    int syncFolder(const std::string&) override { return 0; }

private:
    std::string bytes_;
};

void expectRefusal(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const gearsel::StoreError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryFileSystem fs(std::string(reinterpret_cast<const char*>(data), size));
    try {
        gearsel::MachineStore store = gearsel::MachineStore::open("fuzz.lib", fs);
        const int count = static_cast<int>(store.machines().size());
        for (int i = 0; i < count; ++i) {
            store.gearList(i);
            expectRefusal([&] { store.constants(i); });
        }
        const int last = count - 1;
        expectRefusal([&] { store.deleteMachine(0); });
        expectRefusal([&] { store.deleteMachine(last); });
        expectRefusal([&] { store.copyMachine(last, "副本"); });
        expectRefusal([&] { store.renameMachine(0, "新名称"); });
        expectRefusal([&] { store.setGearList(last, {30, 20}); });
        expectRefusal([&] { store.addMachine("", 15, {20, 25}); });
        expectRefusal([&] { store.withLock([&] { store.setGearList(0, {40}); }); });
        expectRefusal([&] { store.setConstants(0, {}); });
        if (store.fileChanged()) {
            std::abort(); // nothing else writes the in-memory file
        }
    } catch (const gearsel::StoreError&) {
    }
    return 0;
}
