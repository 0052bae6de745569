// SPDX-License-Identifier: GPL-3.0-or-later
// The machines' constants in their file beside system.lib: kept across reopening, carried
// along by copy, rename and delete, never given to another machine after a program that does
// not know of them changed the table, never lost when a change is cut short between the two
// files, and a damaged constants file refused and left as it is.

#include "faulty_file_system.h"
#include "lib_bytes.h"
#include "store/machine_store.h"
#include "store/store_conflict.h"
#include "store_error_text.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace gearsel {
namespace {

using test::FaultyFileSystem;
using test::Step;

// The known constants as "key=text" items, to compare whole sets.
std::string described(const MachineConstants& constants) {
    std::string text;
    for (const ConstantKey key : kConstantKeys) {
        if (const auto value = constantText(constants, key)) {
            text += std::string(text.empty() ? "" : " ") + constantName(key) + "=" + *value;
        }
    }
    return text;
}

MachineConstants constantsOf(std::initializer_list<std::pair<ConstantKey, const char*>> items) {
    MachineConstants constants;
    for (const auto& [key, text] : items) {
        setConstantText(constants, key, text);
    }
    return constants;
}

// Every machine's constants, one line each: "name: key=text ...".
std::string allConstants(const MachineStore& store) {
    std::string text;
    for (std::size_t i = 0; i < store.machines().size(); ++i) {
        text += store.machines()[i].name + ":" + described(store.constants(static_cast<int>(i)));
        text += "\n";
    }
    return text;
}

class MachineConstantsTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(
            lib(), {{"A", 11, {20}}, {"B", 12, {30}}, {"C", 13, {40}}, {"D", 14, {50}}});
        MachineStore store = MachineStore::open(lib());
        store.setConstants(
            1, constantsOf({{ConstantKey::Leadscrew, "6mm"}, {ConstantKey::GearboxRatio, "3/2"}}));
        store.setConstants(2, constantsOf({{ConstantKey::IndexConstant, "24"}}));
        store.setConstants(3, constantsOf({{ConstantKey::HeadRatio, "40"},
                                           {ConstantKey::DifferentialConstant, "7.95775"}}));
    }
    std::string sidecar() const { return (dir / "system.lib.constants.json").string(); }

    static constexpr const char* kStart = "A:\nB:leadscrew=6mm gearbox=1.5\nC:k=24\n"
                                          "D:c=7.95775 n=40\n";
};

TEST_F(MachineConstantsTest, SurviveReopeningAndFollowTheirMachine) {
    EXPECT_EQ(allConstants(MachineStore::open(lib())), kStart);
    EXPECT_EQ(MachineStore::open(lib()).constantsPath(), sidecar());
    MachineStore store = MachineStore::open(lib());
    store.renameMachine(1, "B2");
    store.copyMachine(2, "C2");
    store.deleteMachine(0); // every later machine moves up one place, with its constants
    EXPECT_EQ(allConstants(store), "B2:leadscrew=6mm gearbox=1.5\nC:k=24\nD:c=7.95775 n=40\n"
                                   "C2:k=24\n");
    store.setConstants(1, {}); // all unknown: forgotten
    store.deleteMachine(1);
    EXPECT_EQ(allConstants(MachineStore::open(lib())),
              "B2:leadscrew=6mm gearbox=1.5\nD:c=7.95775 n=40\nC2:k=24\n");
    EXPECT_EQ(entries(), (std::vector<std::string>{".system.lib.lock", "system.lib",
                                                   "system.lib.constants.json"}));
}

TEST_F(MachineConstantsTest, AnOlderProgramsChangesNeverMoveConstantsToAnotherMachine) {
    // An older program changes the table and leaves the constants file as it was; then this
    // program makes a change of its own, which drops the entries that match no machine.
    using Change = std::function<void(MachineStore&)>;
    const std::tuple<const char*, Change, Change, const char*> cases[] = {
        {"delete B", [](MachineStore& s) { s.deleteMachine(1); },
         [](MachineStore& s) { s.setGearList(0, {21}); }, "A:\nC:\nD:\n"},
        {"rename C", [](MachineStore& s) { s.renameMachine(2, "X"); },
         [](MachineStore& s) { s.setGearList(0, {21}); },
         "A:\nB:leadscrew=6mm gearbox=1.5\nX:\nD:c=7.95775 n=40\n"},
        {"delete D, then a new D here", [](MachineStore& s) { s.deleteMachine(3); },
         [](MachineStore& s) { s.addMachine("D", 15, {60}); },
         "A:\nB:leadscrew=6mm gearbox=1.5\nC:k=24\nD:\n"},
    };
    const std::string data = onDisk();
    const std::string kept = test::readFile(sidecar());
    for (const auto& [name, older, ours, expected] : cases) {
        SCOPED_TRACE(name);
        test::writeFile(lib(), data);
        MachineStore olderStore = MachineStore::open(lib());
        older(olderStore);
        test::writeFile(sidecar(), kept);
        MachineStore store = MachineStore::open(lib());
        ours(store);
        EXPECT_EQ(allConstants(store), expected);
        // The file holds an entry for each machine with constants, and no other.
        std::size_t entries = 0;
        const std::string file = test::readFile(sidecar());
        for (auto at = file.find("\"machine\""); at != std::string::npos;
             at = file.find("\"machine\"", at + 1)) {
            ++entries;
        }
        std::size_t withConstants = 0;
        std::istringstream lines(expected);
        for (std::string line; std::getline(lines, line);) {
            withConstants += line.find('=') != std::string::npos ? 1 : 0;
        }
        EXPECT_EQ(entries, withConstants);
    }
}

TEST_F(MachineConstantsTest, AChangeCutShortBetweenTheTwoFilesLosesNoConstant) {
    // A delete saves the constants file for both tables, then the data file, then the
    // constants file for the new table. Renames (the last step of each save) fail in turn.
    const std::string data = onDisk();
    const std::string constants = test::readFile(sidecar());
    struct Case {
        const char* name;
        int passes;             // renames that succeed first
        int times;              // renames that fail then
        bool saved;             // the data file took the change
        bool constantsAsBefore; // the constants file holds its old bytes
    };
    const Case cases[] = {
        {"the data file's save fails, the constants file is put back", 1, 1, false, true},
        {"cut short after the first save: the constants match the old table", 1, -1, false, false},
        {"the last save fails: the constants match the new table", 2, 1, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeFile(lib(), data);
        test::writeFile(sidecar(), constants);
        FaultyFileSystem fs;
        MachineStore store = MachineStore::open(lib(), fs);
        fs.failing = Step::Rename;
        fs.error = EIO;
        fs.passes = c.passes;
        fs.times = c.times;
        const std::string message = test::messageOf([&] { store.deleteMachine(1); });
        EXPECT_EQ(message.empty(), c.saved) << message;
        EXPECT_EQ(test::readFile(sidecar()) == constants, c.constantsAsBefore);
        EXPECT_EQ(allConstants(MachineStore::open(lib())),
                  c.saved ? "A:\nC:k=24\nD:c=7.95775 n=40\n" : kStart);
    }
}

TEST_F(MachineConstantsTest, ADamagedFileIsRefusedAndNeverWritten) {
    const std::pair<const char*, const char*> damages[] = {
        {"not JSON", "{\"format\": "},
        {"another format", R"({"format": "x", "version": 1, "machines": []})"},
        {"a newer version", R"({"format": "gearsel machine constants", "version": 2,
                                "machines": []})"},
        {"machine 0", R"({"format": "gearsel machine constants", "version": 1,
                          "machines": [{"machine": 0, "name": "A", "k": "1"}]})"},
        {"an unknown key", R"({"format": "gearsel machine constants", "version": 1,
                               "machines": [{"machine": 1, "name": "A", "pitch": "1"}]})"},
        {"a worm as leadscrew", R"({"format": "gearsel machine constants", "version": 1,
                                    "machines": [{"machine": 1, "name": "A", "leadscrew": "m2"}]})"},
        {"a number as number", R"({"format": "gearsel machine constants", "version": 1,
                                   "machines": [{"machine": 1, "name": "A", "k": 24}]})"},
        {"one machine twice", R"({"format": "gearsel machine constants", "version": 1,
                                  "machines": [{"machine": 1, "name": "A", "k": "1"},
                                               {"machine": 1, "name": "A", "n": "2"}]})"},
        {"deep", "[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]"},
    };
    const std::string data = onDisk();
    for (const auto& [name, text] : damages) {
        SCOPED_TRACE(name);
        test::writeFile(lib(), data);
        test::writeFile(sidecar(), text);
        MachineStore store = MachineStore::open(lib());
        const std::string message = test::messageOf([&] { store.constants(0); });
        EXPECT_NE(message.find(sidecar()), std::string::npos) << message;
        EXPECT_NE(message.find("已损坏"), std::string::npos) << message;
        EXPECT_THROW(store.setConstants(0, {}), StoreError);
        EXPECT_THROW(store.renameMachine(0, "Z"), StoreError); // would have to move constants
        EXPECT_TRUE(test::sameBytes(onDisk(), data));
        store.setGearList(0, {22}); // moves none: goes ahead
        EXPECT_EQ(test::readFile(sidecar()), text);
    }
}

TEST_F(MachineConstantsTest, RefusesWhatNoFormulaTakesAndChangesOfAChangedMachine) {
    MachineStore store = MachineStore::open(lib());
    const std::string constants = test::readFile(sidecar());
    MachineConstants worm;
    worm.leadscrew = Pitch{Quantity::whole(2), PitchUnit::Module};
    MachineConstants zero;
    zero.indexConstant = Quantity::whole(0);
    EXPECT_THROW(store.setConstants(0, worm), std::invalid_argument);
    EXPECT_THROW(store.setConstants(0, zero), std::invalid_argument);
    MachineStore::open(lib()).renameMachine(0, "Other");
    EXPECT_THROW(store.setConstants(0, constantsOf({{ConstantKey::HeadRatio, "40"}})),
                 StoreConflict);
    EXPECT_THROW(store.constants(0), StoreConflict);
    EXPECT_EQ(test::readFile(sidecar()), constants);
    // Another machine's constants can be set on the file as it is.
    store.setConstants(2, constantsOf({{ConstantKey::IndexConstant, "48"}}));
    EXPECT_EQ(allConstants(store), "Other:\nB:leadscrew=6mm gearbox=1.5\nC:k=48\n"
                                   "D:c=7.95775 n=40\n");
}

TEST_F(MachineConstantsTest, AddedAndReplacingMachinesBringTheirConstants) {
    MachineStore store = MachineStore::open(lib());
    NewMachine lathe{"E", 15, {60, 20}, constantsOf({{ConstantKey::Leadscrew, "4tpi"}})};
    EXPECT_EQ(store.addMachines({{"Plain", 15, {20}}, lathe}), 4);
    EXPECT_EQ(allConstants(MachineStore::open(lib())),
              std::string(kStart) + "Plain:\nE:leadscrew=4tpi\n");

    // A replacement is the whole table: every machine and constant not in it is gone.
    store.replaceMachines(
        {lathe, {"F", 12, {30}, constantsOf({{ConstantKey::HeadRatio, "40"}})}, {"A", 11, {20}}});
    EXPECT_EQ(allConstants(MachineStore::open(lib())), "E:leadscrew=4tpi\nF:n=40\nA:\n");
    EXPECT_EQ(MachineStore::open(lib()).gearList(0), (std::vector<std::int16_t>{20, 60}));
    EXPECT_EQ(store.machines().size(), 3U);

    // Refused with nothing changed: no machine at all, more than 255, a damaged constants file
    // (which a replacement or an addition with constants would have to rewrite).
    const std::string data = onDisk();
    EXPECT_THROW(store.replaceMachines({}), StoreError);
    EXPECT_THROW(store.replaceMachines(std::vector<NewMachine>(256, {"M", 15, {20}})), StoreError);
    test::writeFile(sidecar(), "{");
    EXPECT_THROW(store.replaceMachines({{"G", 15, {20}}}), StoreError);
    EXPECT_THROW(store.addMachines({lathe}), StoreError);
    EXPECT_TRUE(test::sameBytes(onDisk(), data));
    EXPECT_EQ(store.addMachines({{"Plain", 15, {20}}}), 3); // brings none: goes ahead
    EXPECT_EQ(test::readFile(sidecar()), "{");
}

TEST_F(MachineConstantsTest, ANewDataFileGetsItsMachinesConstantsUnlessAConstantsFileIsThere) {
    const std::string other = (dir / "other.lib").string();
    const std::string otherConstants = other + ".constants.json";
    MachineStore::createFile(
        other,
        {{"A", 15, {20}}, {"B", 15, {30}, constantsOf({{ConstantKey::IndexConstant, "24"}})}});
    EXPECT_EQ(allConstants(MachineStore::open(other)), "A:\nB:k=24\n");
    // Only the data file was deleted: the constants file that stayed is kept as it is.
    std::filesystem::remove(other);
    test::writeFile(otherConstants, test::readFile(sidecar()));
    MachineStore::createFile(
        other,
        {{"A", 15, {20}}, {"B", 15, {30}, constantsOf({{ConstantKey::IndexConstant, "48"}})}});
    EXPECT_EQ(allConstants(MachineStore::open(other)), "A:\nB:leadscrew=6mm gearbox=1.5\n");
    // A data file that is there is never replaced, and no constants file is left beside it.
    std::filesystem::remove(otherConstants);
    EXPECT_THROW(MachineStore::createFile(
                     other, {{"C", 15, {20}, constantsOf({{ConstantKey::HeadRatio, "40"}})}}),
                 StoreError);
    EXPECT_FALSE(std::filesystem::exists(otherConstants));
}

} // namespace
} // namespace gearsel
