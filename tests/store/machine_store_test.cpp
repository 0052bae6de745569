// The machine table against files built byte by byte: what is read, what every operation
// writes, and that no operation changes any other byte of the file.

#include "lib_bytes.h"
#include "store/machine_store.h"
#include "store/store_error.h"

#include <gtest/gtest.h>
#include <numeric>
#include <sys/stat.h>

namespace gearsel {
namespace {

using test::LibBytes;

std::vector<int> ints(const std::vector<std::int16_t>& values) {
    return {values.begin(), values.end()};
}

std::vector<int> sequence(int count, int first) {
    std::vector<int> values(static_cast<std::size_t>(count));
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

class MachineStoreTest : public ::testing::Test {
protected:
    std::string path() const { return (dir_.path() / "system.lib").string(); }
    MachineStore openWith(const LibBytes& file) {
        test::writeFile(path(), file.bytes);
        return MachineStore::open(path());
    }
    std::string onDisk() const { return test::readFile(path()); }

    test::TempDir dir_;
};

TEST_F(MachineStoreTest, ReadsTheTableAndClampsToothCountsOnlyInMemory) {
    const MachineStore store = openWith(threeMachines());
    ASSERT_EQ(store.machines().size(), 3U);
    EXPECT_EQ(store.machines()[0].name, "A-1");
    EXPECT_EQ(store.machines()[0].rawName, "  A-1                   ");
    EXPECT_EQ(store.machines()[1].name, "机床B");
    EXPECT_EQ(store.machines()[1].zn, 12);
    EXPECT_EQ(store.machines()[2].gearCount, 5);
    EXPECT_EQ(ints(store.gearList(0)), (std::vector<int>{30, 20, 10, 255}));
    EXPECT_EQ(ints(store.storedGearList(0)), (std::vector<int>{30, 20, 0, 300}));
    EXPECT_EQ(ints(store.gearList(1)), sequence(40, 60));
    EXPECT_THROW(store.gearList(3), StoreError);
    EXPECT_THROW(store.gearList(-1), StoreError);
}

TEST_F(MachineStoreTest, HeaderCountAbove255ReadsAs255AndIsSavedAs255) {
    LibBytes file(LibBytes::recordAt(262) + 28);
    file.record(5, "", 0, 300);
    for (int i = 1; i <= 255; ++i) {
        file.machine(i, "M" + std::to_string(i), 15, 0);
    }
    MachineStore store = openWith(file);
    ASSERT_EQ(store.machines().size(), 255U);
    store.renameMachine(254, "Last");
    file.savedHeader(255);
    file.machine(255, "Last", 15, 0);
    EXPECT_TRUE(
        test::sameBytes(onDisk(), file.bytes)); // record 262, beyond the table, is untouched
}

TEST_F(MachineStoreTest, AFileWithoutMachinesOpensEmptyAndCanBeFilled) {
    LibBytes file(LibBytes::recordAt(7));
    file.record(5, "", 0, 0);
    MachineStore store = openWith(file);
    EXPECT_TRUE(store.machines().empty());
    EXPECT_THROW(store.deleteMachine(0), StoreError);
    EXPECT_EQ(store.addMachine("X", 15, {40, 20}), 0);
    file.savedHeader(1);
    file.machine(1, "X", 15, 2);
    file.slot(1, {20, 40});
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
}

struct Damage {
    const char* name;
    std::string bytes;
    const char* cause;
};

void PrintTo(const Damage& d, std::ostream* os) {
    *os << d.name;
}

std::vector<Damage> damagedFiles() {
    const LibBytes good = threeMachines();
    std::vector<Damage> cases;
    cases.push_back({"Empty", "", "是空的"});
    cases.push_back({"NoWholeHeader", good.bytes.substr(0, 139), "装不下表头"});
    LibBytes negative = good;
    negative.record(5, "", 0, -2);
    cases.push_back({"NegativeMachineCount", negative.bytes, "机床数量是 -2"});
    cases.push_back(
        {"RecordsCutOff", good.bytes.substr(0, LibBytes::recordAt(10) - 1), "装不下表头所说的 3"});
    LibBytes negativeGears = good;
    negativeGears.machine(2, "B", 12, -1);
    cases.push_back({"NegativeGearCount", negativeGears.bytes, "第 2 台机床“B”的挂轮数是 -1"});
    LibBytes overfull = good;
    overfull.machine(3, "C", 18, 413);
    cases.push_back({"MoreGearsThanASlotHolds", overfull.bytes, "挂轮数是 413"});
    cases.push_back({"LastGearListCutOff", good.bytes.substr(0, LibBytes::slotAt(3) + 9),
                     "第 3 台机床“C”的挂轮表不完整"});
    return cases;
}

class DamagedFileTest : public MachineStoreTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedFileTest, IsRefusedWithTheFileAndTheCause) {
    test::writeFile(path(), GetParam().bytes);
    try {
        MachineStore::open(path());
        FAIL() << "opened a damaged file";
    } catch (const StoreError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(path()), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().cause), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedFileTest, ::testing::ValuesIn(damagedFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineStoreTest, AGearCountOfZeroNeedsNoSlot) {
    LibBytes file(LibBytes::recordAt(8));
    file.record(5, "", 0, 1);
    file.machine(1, "Empty", 15, 0);
    const MachineStore store = openWith(file);
    EXPECT_TRUE(store.gearList(0).empty());
}

TEST_F(MachineStoreTest, RenameRewritesTheHeaderAndTheRecordsOnly) {
    LibBytes file = threeMachines();
    file.machine(1,
                 "\x81\x20\xFF"
                 "A",
                 15, 4); // not GBK: shown replaced, kept as stored
    MachineStore store = openWith(file);
    EXPECT_EQ(store.machines()[0].name, "\xEF\xBF\xBD \xEF\xBF\xBD"
                                        "A");
    store.renameMachine(1, "  新名称  ");
    EXPECT_EQ(store.machines()[1].name, "新名称");
    file.savedHeader(3);
    file.machine(2, "\xD0\xC2\xC3\xFB\xB3\xC6", 12, 40);
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
}

TEST_F(MachineStoreTest, SetGearListSortsAndLeavesTheRestOfTheSlot) {
    LibBytes file = threeMachines();
    MachineStore store = openWith(file);
    std::vector<std::int16_t> thirty(30);
    for (std::size_t i = 0; i < thirty.size(); ++i) {
        thirty[i] = static_cast<std::int16_t>(100 - i);
    }
    store.setGearList(1, thirty);
    EXPECT_EQ(store.machines()[1].gearCount, 30);
    file.savedHeader(3);
    file.machine(2, test::kGbkJiChuang + "B", 12, 30);
    file.slot(2, sequence(30, 71)); // values 31 to 40 of the old list stay on disk
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(ints(store.gearList(1)), sequence(30, 71));
}

TEST_F(MachineStoreTest, AddAndCopyAppendARecordAndASlot) {
    LibBytes file = threeMachines();
    MachineStore store = openWith(file);
    EXPECT_EQ(store.addMachine("", 15, {50, 20, 20}), 3);
    EXPECT_EQ(store.copyMachine(0, "A copy"), 4);
    EXPECT_EQ(store.machines()[3].name, "新的机床名称");
    file.savedHeader(5);
    file.machine(4, "\xD0\xC2\xB5\xC4\xBB\xFA\xB4\xB2\xC3\xFB\xB3\xC6", 15, 3);
    file.slot(4, {20, 20, 50});
    file.machine(5, "A copy", 15, 4);
    file.slot(5, {30, 20, 10, 255}); // the copy holds the list as the program uses it
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
}

TEST_F(MachineStoreTest, NamesAreCutToTwentyFourBytesWithoutSplittingACharacter) {
    LibBytes file = threeMachines();
    MachineStore store = openWith(file);
    store.renameMachine(2, "X机床机床机床机床机床机床机床");
    file.savedHeader(3);
    std::string cut = "X";
    for (int i = 0; i < 5; ++i) {
        cut += test::kGbkJiChuang;
    }
    cut += "\xBB\xFA"; // 机: one more 床 would need bytes 24 and 25
    file.machine(3, cut, 18, 5);
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(store.machines()[2].name, "X机床机床机床机床机床机");
}

TEST_F(MachineStoreTest, RefusedInputChangesNeitherFileNorTable) {
    const LibBytes file = threeMachines();
    MachineStore store = openWith(file);
    const auto before = store.machines();
    EXPECT_THROW(store.renameMachine(0, "   "), StoreError);
    EXPECT_THROW(store.copyMachine(0, ""), StoreError);
    EXPECT_THROW(store.renameMachine(0, "Smile 😀"), StoreError);
    EXPECT_THROW(store.renameMachine(0, "two\nlines"), StoreError);
    EXPECT_THROW(store.addMachine("Z", 15, {20, 9}), StoreError);
    EXPECT_THROW(store.addMachine("Z", 15, std::vector<std::int16_t>(413, 20)), StoreError);
    EXPECT_THROW(store.setGearList(0, {256}), StoreError);
    EXPECT_THROW(store.renameMachine(3, "D"), StoreError);
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(store.machines().size(), before.size());
    EXPECT_EQ(store.machines()[0].rawName, before[0].rawName);
}

TEST_F(MachineStoreTest, TheLastMachineCannotBeDeleted) {
    LibBytes file(LibBytes::slotAt(2));
    file.record(5, "", 0, 1);
    file.machine(1, "Only", 15, 2);
    file.slot(1, {20, 30});
    MachineStore store = openWith(file);
    EXPECT_THROW(store.deleteMachine(0), StoreError);
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(store.machines().size(), 1U);
}

// `count` machines, machine i named "M<i>" with Zn i and i % 7 + 1 gears, in a file that
// ends with the last slot.
LibBytes numberedMachines(int count) {
    LibBytes file(LibBytes::slotAt(count) + 2 * (count % 7 + 1));
    file.record(5, "", 0, count);
    for (int i = 1; i <= count; ++i) {
        file.machine(i, "M" + std::to_string(i), i, i % 7 + 1);
        file.slot(i, sequence(i % 7 + 1, 10 + i));
    }
    return file;
}

struct DeleteCase {
    const char* name;
    int count;
    int deleted; // from 0
};

void PrintTo(const DeleteCase& c, std::ostream* os) {
    *os << c.name;
}

class DeleteTest : public MachineStoreTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTest, LaterMachinesMoveUpWithTheirOwnGearLists) {
    const auto [name, count, deleted] = GetParam();
    const LibBytes original = numberedMachines(count);
    MachineStore store = openWith(original);
    store.deleteMachine(deleted);

    LibBytes expected = original;
    expected.savedHeader(count - 1);
    for (int i = deleted + 1; i < count; ++i) {
        // Machine i + 1 becomes machine i; only its own values are moved.
        const int gears = (i + 1) % 7 + 1;
        expected.machine(i, "M" + std::to_string(i + 1), i + 1, gears);
        expected.slot(i, original.slotValues(i + 1, gears));
    }
    EXPECT_TRUE(test::sameBytes(onDisk(), expected.bytes));
    ASSERT_EQ(store.machines().size(), static_cast<std::size_t>(count - 1));
    for (int i = 0; i < count - 1; ++i) {
        const int number = i < deleted ? i + 1 : i + 2;
        EXPECT_EQ(store.machines()[static_cast<std::size_t>(i)].name, "M" + std::to_string(number));
        EXPECT_EQ(ints(store.storedGearList(i)), sequence(number % 7 + 1, 10 + number));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteTest,
                         ::testing::Values(DeleteCase{"Middle", 3, 1}, DeleteCase{"Last", 3, 2},
                                           DeleteCase{"First", 3, 0},
                                           DeleteCase{"BeyondTheTwentyNinth", 35, 2},
                                           DeleteCase{"FullTable", 255, 100}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MachineStoreTest, SlotsBeyondTheTwentyNinthFollowTheSameFormula) {
    LibBytes file = numberedMachines(29);
    MachineStore store = openWith(file);
    store.addMachine("M30", 30, {99, 98});
    EXPECT_EQ(LibBytes::slotAt(30), 33199U);
    file.savedHeader(30);
    file.machine(30, "M30", 30, 2);
    file.slot(30, {98, 99});
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(ints(MachineStore::open(path()).gearList(29)), (std::vector<int>{98, 99}));
}

TEST_F(MachineStoreTest, A256thMachineIsRefused) {
    const LibBytes file = numberedMachines(255);
    MachineStore store = openWith(file);
    try {
        store.addMachine("One more", 15, {20});
        FAIL() << "a 256th machine was added";
    } catch (const StoreError& e) {
        EXPECT_NE(std::string(e.what()).find("最多只能有 255 台"), std::string::npos) << e.what();
    }
    EXPECT_THROW(store.copyMachine(0, "One more"), StoreError);
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(store.machines().size(), 255U);
}

TEST_F(MachineStoreTest, SavingKeepsPermissionsAndFollowsALink) {
    const LibBytes file = threeMachines();
    const auto target = dir_.path() / "real.lib";
    test::writeFile(target, file.bytes);
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("real.lib", path());
    MachineStore store = MachineStore::open(path());
    store.renameMachine(0, "Linked");
    EXPECT_TRUE(std::filesystem::is_symlink(path()));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640U);
    EXPECT_EQ(MachineStore::open(target.string()).machines()[0].name, "Linked");
    EXPECT_EQ(dir_.entries(), (std::vector<std::string>{"real.lib", "system.lib"}));
}

TEST_F(MachineStoreTest, CreateFileNeverOverwrites) {
    const LibBytes file = threeMachines();
    test::writeFile(path(), file.bytes);
    EXPECT_THROW(MachineStore::createFile(path(), {{"C", 15, {20}}}), StoreError);
    EXPECT_TRUE(test::sameBytes(onDisk(), file.bytes));
    EXPECT_EQ(dir_.entries(), std::vector<std::string>{"system.lib"});
}

} // namespace
} // namespace gearsel
