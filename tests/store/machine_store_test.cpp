// SPDX-License-Identifier: GPL-3.0-or-later
// The machine table against files built byte by byte: what is read, what every operation
// writes, and that no operation changes any other byte of the file.

#include "lib_bytes.h"
#include "store/machine_store.h"
#include "store/store_error.h"
#include "store_error_text.h"

#include <gtest/gtest.h>
#include <numeric>
#include <sys/stat.h>

namespace gearsel {
namespace {

using test::LibBytes;
using test::sameBytes;

using Gears = std::vector<std::int16_t>;

Gears sequence(int count, int first) {
    Gears values(static_cast<std::size_t>(count));
    std::iota(values.begin(), values.end(), first);
    return values;
}

// Three machines; the header holds foreign text; the record after the table and the bytes
// after each gear list hold the pattern.
LibBytes threeMachines() {
    LibBytes file(LibBytes::slotAt(4) + 50);
    file.record(5, "old title", 7, 3);
    file.machine(1, "  A-1  ", 15, 4);
    file.slot(1, {30, 20, 0, 300});
    file.machine(2, test::kGbkJiChuang + "B", 12, 40);
    file.slot(2, sequence(40, 60));
    file.machine(3, "C", 18, 5);
    file.slot(3, {25, 35, 45, 55, 65});
    return file;
}

// `count` machines, machine i named "M<i>" with Zn i and the i % 7 + 1 gears 10 + i, 11 + i,
// ..., in a file that ends with the last slot.
LibBytes numberedMachines(int count) {
    LibBytes file(LibBytes::slotAt(count) + 2 * (count % 7 + 1));
    file.record(5, "", 0, count);
    for (int i = 1; i <= count; ++i) {
        file.machine(i, "M" + std::to_string(i), i, i % 7 + 1);
        file.slot(i, sequence(i % 7 + 1, 10 + i));
    }
    return file;
}

class MachineStoreTest : public test::FolderTest {
protected:
    MachineStore openWith(const LibBytes& file) {
        test::writeFile(lib(), file.bytes);
        return MachineStore::open(lib());
    }
};

TEST_F(MachineStoreTest, ReadsTheTableAndARenameRewritesTheHeaderAndTheRecordsOnly) {
    LibBytes file = threeMachines();
    file.machine(3, "C\x81 \xFF", 18, 5); // not GBK: shown replaced, kept as stored
    MachineStore store = openWith(file);
    ASSERT_EQ(store.machines().size(), 3U);
    EXPECT_EQ(store.machines()[0].name, "A-1");
    EXPECT_EQ(store.machines()[0].rawName, "  A-1                   ");
    EXPECT_EQ(store.machines()[1].name, "机床B");
    EXPECT_EQ(store.machines()[1].zn, 12);
    EXPECT_EQ(store.machines()[2].name, "C\xEF\xBF\xBD \xEF\xBF\xBD");
    EXPECT_EQ(store.machines()[2].gearCount, 5);
    // Tooth counts outside 10 to 255 are moved into range as read; the file keeps them.
    EXPECT_EQ(store.gearList(0), (Gears{30, 20, 10, 255}));
    EXPECT_EQ(store.storedGearList(0), (Gears{30, 20, 0, 300}));
    EXPECT_EQ(store.gearList(1), sequence(40, 60));
    EXPECT_THROW(store.gearList(3), StoreError);
    EXPECT_THROW(store.gearList(-1), StoreError);
    // Trimmed, and cut to 24 bytes between characters: one more 床 would need bytes 24 and 25.
    store.renameMachine(1, "  X机床机床机床机床机床机床机床  ");
    EXPECT_EQ(store.machines()[1].name, "X机床机床机床机床机床机");
    file.savedHeader(3);
    const std::string& j = test::kGbkJiChuang;
    file.machine(2, "X" + j + j + j + j + j + "\xBB\xFA", 12, 40);
    EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
}

TEST_F(MachineStoreTest, DamagedFilesAreRefusedWithTheFileAndTheCause) {
    const LibBytes good = threeMachines();
    LibBytes negative = good, negativeGears = good, overfull = good;
    negative.record(5, "", 0, -2);
    negativeGears.machine(2, "B", 12, -1);
    overfull.machine(3, "C", 18, 413);
    const std::pair<std::string, const char*> cases[] = {
        {"", "是空的"},
        {good.bytes.substr(0, 139), "装不下表头"},
        {negative.bytes, "机床数量是 -2"},
        {good.bytes.substr(0, 251), "装不下表头所说的 3"}, // record 9 ends at 252
        {negativeGears.bytes, "第 2 台机床“B”的挂轮数是 -1"},
        {overfull.bytes, "挂轮数是 413"},
        {good.bytes.substr(0, 10960), "第 3 台机床“C”的挂轮表不完整"}, // slot 3: 10951 to 10961
    };
    for (const auto& [bytes, cause] : cases) {
        test::writeFile(lib(), bytes);
        const std::string message = test::messageOf([&] { MachineStore::open(lib()); });
        EXPECT_NE(message.find(lib()), std::string::npos) << cause;
        EXPECT_NE(message.find(cause), std::string::npos) << cause << ": " << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
}

TEST_F(MachineStoreTest, TablesOfOneMachineAndOfNone) {
    // A machine without gears needs no slot, and the last machine cannot be deleted.
    LibBytes file(LibBytes::recordAt(8));
    file.record(5, "", 0, 1);
    file.machine(1, "Only", 15, 0);
    MachineStore store = openWith(file);
    EXPECT_TRUE(store.gearList(0).empty());
    EXPECT_THROW(store.deleteMachine(0), StoreError);
    EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(store.machines().size(), 1U);
    // A file without machines opens empty; adding one repairs it.
    file.record(5, "", 0, 0);
    store = openWith(file);
    EXPECT_TRUE(store.machines().empty());
    EXPECT_EQ(store.addMachine("X", 15, {40, 20}), 0);
    file.savedHeader(1);
    file.machine(1, "X", 15, 2);
    file.slot(1, {20, 40});
    EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
}

TEST_F(MachineStoreTest, AStoredCountAbove255ReadsAs255AndA256thMachineIsRefused) {
    LibBytes file = numberedMachines(255);
    file.record(5, "", 0, 300); // record 262, after the table, holds the pattern
    MachineStore store = openWith(file);
    ASSERT_EQ(store.machines().size(), 255U);
    EXPECT_NE(
        test::messageOf([&] { store.addMachine("One more", 15, {20}); }).find("最多只能有 255 台"),
        std::string::npos);
    EXPECT_THROW(store.copyMachine(0, "One more"), StoreError);
    EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(store.machines().size(), 255U);
    store.renameMachine(254, "Last");
    file.savedHeader(255);
    file.machine(255, "Last", 255, 255 % 7 + 1);
    EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
}

TEST_F(MachineStoreTest, SetGearListSortsAndLeavesTheRestOfTheSlot) {
    LibBytes file = threeMachines();
    MachineStore store = openWith(file);
    store.setGearList(1, {75, 71, 73, 72, 74});
    EXPECT_EQ(store.machines()[1].gearCount, 5);
    file.savedHeader(3);
    file.machine(2, test::kGbkJiChuang + "B", 12, 5);
    file.slot(2, {71, 72, 73, 74, 75}); // values 6 to 40 of the old list stay on disk
    EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
}

TEST_F(MachineStoreTest, RefusedInputChangesNeitherFileNorTable) {
    const LibBytes file = threeMachines();
    MachineStore store = openWith(file);
    const std::string before = test::tableText(store);
    EXPECT_THROW(store.renameMachine(0, "   "), StoreError);
    EXPECT_THROW(store.copyMachine(0, ""), StoreError);
    EXPECT_THROW(store.renameMachine(0, "Smile 😀"), StoreError);
    EXPECT_THROW(store.addMachine("Z", 15, {20, 9}), StoreError);
    EXPECT_THROW(store.addMachine("Z", 15, std::vector<std::int16_t>(413, 20)), StoreError);
    EXPECT_THROW(store.setGearList(0, {256}), StoreError);
    EXPECT_THROW(store.renameMachine(3, "D"), StoreError);
    EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(test::tableText(store), before);
}

TEST_F(MachineStoreTest, DeleteMovesLaterMachinesUpWithTheirOwnGearLists) {
    // In the middle, the last one, and in a table that goes past machine 29.
    const std::pair<int, int> cases[] = {{3, 1}, {3, 2}, {35, 2}};
    for (const auto& [count, deleted] : cases) {
        SCOPED_TRACE("index " + std::to_string(deleted) + " of " + std::to_string(count));
        LibBytes file = numberedMachines(count);
        MachineStore store = openWith(file);
        store.deleteMachine(deleted);
        file.savedHeader(count - 1);
        for (int i = deleted + 1; i < count; ++i) {
            // Machine i + 1 becomes machine i; only its own values move, the rest of slot i stays.
            file.machine(i, "M" + std::to_string(i + 1), i + 1, (i + 1) % 7 + 1);
            file.slot(i, sequence((i + 1) % 7 + 1, 11 + i));
        }
        EXPECT_TRUE(sameBytes(onDisk(), file.bytes));
        EXPECT_EQ(test::tableText(store), test::tableText(MachineStore::open(lib())));
    }
}

TEST_F(MachineStoreTest, AddAndCopyAppendARecordAndASlotAlsoBeyondTheTwentyNinth) {
    LibBytes file = numberedMachines(29);
    file.slot(1, {300, 5});
    MachineStore store = openWith(file);
    EXPECT_EQ(store.addMachine("", 30, {99, 98, 99}), 29);
    EXPECT_EQ(store.copyMachine(0, "M1 copy"), 30);
    EXPECT_EQ(store.machines()[29].name, "新的机床名称");
    file.savedHeader(31);
    file.machine(30, "\xD0\xC2\xB5\xC4\xBB\xFA\xB4\xB2\xC3\xFB\xB3\xC6", 30, 3);
    file.slot(30, {98, 99, 99});
    file.machine(31, "M1 copy", 1, 2);
    file.slot(31, {255, 10}); // the copy holds the list as the program uses it
    const std::string disk = onDisk();
    EXPECT_TRUE(sameBytes(disk, file.bytes));
    EXPECT_EQ(disk.substr(1008, 7), "M1 copy");                             // record 37
    EXPECT_EQ(disk.substr(33199, 6), std::string("\x62\0\x63\0\x63\0", 6)); // slot 30
    EXPECT_EQ(MachineStore::open(lib()).gearList(29), (Gears{98, 99, 99}));
}

TEST_F(MachineStoreTest, SavingKeepsPermissionsAndFollowsALinkAndCreatingNeverOverwrites) {
    test::writeFile(dir / "real.lib", threeMachines().bytes);
    ::chmod((dir / "real.lib").c_str(), 0640);
    std::filesystem::create_symlink("real.lib", lib());
    MachineStore::open(lib()).renameMachine(0, "Linked");
    EXPECT_TRUE(std::filesystem::is_symlink(lib()));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "real.lib").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    const std::string saved = onDisk();
    EXPECT_EQ(MachineStore::open((dir / "real.lib").string()).machines()[0].name, "Linked");
    EXPECT_THROW(MachineStore::createFile(lib(), {{"C", 15, {20}}}), StoreError);
    EXPECT_EQ(onDisk(), saved);
    // The lock belongs to the file the link points to, so every path to it shares one lock.
    EXPECT_EQ(entries(), (std::vector<std::string>{".real.lib.lock", "real.lib", "system.lib"}));
}

TEST_F(MachineStoreTest, AMachineWithoutGearsDoesNotGrowTheFile) {
    // The new record lies inside the file; its empty gear list writes no byte, so the file
    // keeps its size, as a write in place would.
    LibBytes file(LibBytes::recordAt(12));
    file.record(5, "", 0, 1);
    file.machine(1, "A", 15, 0);
    MachineStore store = openWith(file);
    store.addMachine("B", 15, {});
    EXPECT_EQ(onDisk().size(), file.bytes.size());
}

} // namespace
} // namespace gearsel
