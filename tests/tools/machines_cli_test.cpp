// SPDX-License-Identifier: GPL-3.0-or-later
// gearsel-cli machines and select --machine, run as a user would in a temporary folder that
// holds the data file; and every class of input the command line refuses.

#include "cli_run.h"
#include "lib_bytes.h"
#include "store/machine_csv.h"
#include "store/machine_store.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>

namespace gearsel {
namespace {

using test::CliRun;
using test::refusedWith;
using test::sameBytes;
using Json = nlohmann::json;

const std::vector<std::int16_t> kFourteen = {20, 25, 30, 35, 40, 45,  50,
                                             55, 60, 70, 80, 90, 100, 120};

class MachinesCliTest : public test::FolderTest {
protected:
    void SetUp() override {
        MachineStore::createFile(lib(), {{"CA6140", 15, kFourteen},
                                         {"Y38 滚齿机", 12, {20, 20, 23, 30}},
                                         {"C620", 16, {30, 40, 50}}});
    }
    // gearsel-cli ARGS, run in the test's folder.
    CliRun cli(const std::string& args) const { return test::runCli(args, dir); }
    CliRun machines(const std::string& args) const {
        return cli("machines --lib system.lib " + args);
    }
    Json json(const std::string& args) const {
        const CliRun run = machines(args);
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return Json::parse(run.out);
    }
};

TEST_F(MachinesCliTest, ListAndShowAsTablesAndJson) {
    EXPECT_EQ(machines("list").out, "序号 机床型号   Zn 挂轮数\n"
                                    "1    CA6140     15 14\n"
                                    "2    Y38 滚齿机 12 4\n"
                                    "3    C620       16 3\n");
    EXPECT_EQ(json("list --json")[1],
              Json::parse(R"({"index":2,"name":"Y38 滚齿机","zn":12,"gear_count":4})"));
    EXPECT_NE(machines("show 3").out.find("挂轮齿数:   30,40,50\n"), std::string::npos);
    // By name; tooth counts outside 10 to 255 as the program reads them and as stored.
    test::LibBytes file(test::LibBytes::slotAt(2));
    file.record(5, "", 0, 1);
    file.machine(1, "Odd", 15, 3);
    file.slot(1, {0, 300, 40});
    test::writeFile(lib(), file.bytes);
    const Json odd = json("show Odd --json");
    EXPECT_EQ(odd["gears"], Json::parse("[10,255,40]"));
    EXPECT_EQ(odd["stored"], Json::parse("[0,300,40]"));
}

TEST_F(MachinesCliTest, EditingCommandsChangeTheTableInTheFile) {
    for (const char* args : {"add 'New one' --gears 40,30 --zn 18", "copy 1 'CA copy'",
                             "rename C620 C620-1", "set-gears 2 --gears 35,21", "delete CA6140"}) {
        const CliRun run = machines(args);
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    }
    EXPECT_EQ(json("export --format json"), Json::parse(R"([
        {"name": "Y38 滚齿机", "zn": 12, "gears": [21, 35]},
        {"name": "C620-1", "zn": 16, "gears": [30, 40, 50]},
        {"name": "New one", "zn": 18, "gears": [30, 40]},
        {"name": "CA copy", "zn": 15, "gears": [20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80, 90,
                                                100, 120]}])"));
}

TEST_F(MachinesCliTest, ExportedMachinesImportIntoAnotherFile) {
    Json expected = Json::parse(R"([{"name": "Keep", "zn": 15, "gears": [20]}])");
    const Json all = json("export --format json");
    expected.insert(expected.end(), all.begin(), all.end());
    for (const std::string format : {"csv", "json"}) {
        SCOPED_TRACE(format);
        test::writeFile(dir / "backup", machines("export --format " + format).out);
        std::filesystem::remove(dir / "other.lib");
        MachineStore::createFile((dir / "other.lib").string(), {{"Keep", 15, {20}}});
        const CliRun imported = cli("machines --lib other.lib import backup");
        EXPECT_NE(imported.out.find("第 2 到 4 台"), std::string::npos) << imported.err;
        EXPECT_EQ(Json::parse(cli("machines --lib other.lib export --format json").out), expected);
    }
}

TEST_F(MachinesCliTest, ABackupRestoresExactlyTheTableAndTheConstantsThatWereExported) {
    for (const char* args : {"constants 1 --leadscrew 6mm --gearbox 60/127", "constants 2 --k 24",
                             "constants 3 --c 7.95775 --n 40"}) {
        ASSERT_EQ(machines(args).status, 0) << args;
    }
    // Every machine's constants, to compare before and after.
    const auto constants = [this] {
        Json all = Json::array();
        for (const char* machine : {"1", "2", "3"}) {
            all.push_back(json(std::string("constants ") + machine + " --json"));
        }
        return all;
    };
    const std::string list = machines("list").out;
    const Json kept = constants();
    const std::string data = onDisk();
    for (const std::string format : {"csv", "json"}) {
        SCOPED_TRACE(format);
        const std::string backup = machines("export --format " + format).out;
        test::writeFile(dir / "backup", backup);
        // Changes after the backup: a machine gone, one more, a rename, other constants.
        for (const char* args : {"delete 1", "add Extra --gears 20,30", "rename 1 Renamed",
                                 "constants 1 --clear --k 48", "set-gears 2 --gears 99"}) {
            ASSERT_EQ(machines(args).status, 0) << args;
        }
        const CliRun restored = machines("import --replace backup");
        ASSERT_EQ(restored.status, 0) << restored.err;
        EXPECT_EQ(restored.out, "已导入 3 台机床，替换了原有的 3 台\n");
        EXPECT_EQ(machines("export --format " + format).out, backup);
        EXPECT_EQ(machines("list").out, list);
        EXPECT_EQ(constants(), kept);
        // The records as stored, Zn and counts included.
        test::writeFile(dir / "before.lib", data);
        EXPECT_EQ(test::tableText(MachineStore::open(lib())),
                  test::tableText(MachineStore::open((dir / "before.lib").string())));
    }
    EXPECT_NE(test::readFile(dir / "backup").find("\"gearbox\": \"60/127\""), std::string::npos);
}

TEST_F(MachinesCliTest, ReadsTakeTheBeginningOfOneNameAndChangesOnlyTheWholeName) {
    EXPECT_EQ(json("show Y38 --json")["name"], "Y38 滚齿机");
    EXPECT_EQ(json("constants Y3 --json")["name"], "Y38 滚齿机");
    const CliRun select = cli("select --lib system.lib --machine Y38 --ratio 1 --json");
    EXPECT_EQ(select.status, 0) << select.err;
    EXPECT_TRUE(refusedWith(machines("show C"), "'C' begins the names of several machines "
                                                "(1 'CA6140', 3 'C620'); give more of the name"));
    EXPECT_TRUE(refusedWith(cli("ratio --lib system.lib --machine C thread --pitch 1mm "
                                "--leadscrew 6mm"),
                            "'C' begins the names of several machines"));
    const std::string before = onDisk();
    for (const char* change : {"rename Y38 X", "delete Y38", "set-gears Y38 --gears 20",
                               "copy Y38 Z", "constants Y38 --k 24"}) {
        EXPECT_TRUE(refusedWith(machines(change), "no machine 'Y38'")) << change;
    }
    EXPECT_TRUE(sameBytes(onDisk(), before));
}

TEST_F(MachinesCliTest, SelectOnAMachineUsesItsGearsAndItsZn) {
    const auto results = [this](const std::string& args) {
        const CliRun run = cli("select " + args + " --ratio 0.61803 --count 8 --json");
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return Json::parse(run.out)["results"];
    };
    EXPECT_EQ(results("--lib system.lib --machine CA6140"),
              results("--gears 20,25,30,35,40,45,50,55,60,70,80,90,100,120 --zn 15"));
    EXPECT_EQ(results("--machine 2 --lib system.lib"), results("--gears 20,20,23,30 --zn 12"));
    EXPECT_EQ(results("--machine 2 --lib system.lib --zn 40"),
              results("--gears 20,20,23,30 --zn 40"));
}

TEST_F(MachinesCliTest, WhereNamesTheFileInUse) {
    const auto line = [](const std::filesystem::path& file) {
        return std::filesystem::canonical(file).string() + "\n";
    };
    EXPECT_EQ(machines("where").out, line(lib()));
    // Without --lib, the build folder is the portable layout: the file beside gearsel-cli.
    EXPECT_EQ(cli("machines where").out,
              line(std::filesystem::path(GEARSEL_CLI_PATH).parent_path() / "system.lib"));
}

TEST_F(MachinesCliTest, ImportTakesJsonWithAByteOrderMarkAndBracketsInNames) {
    test::writeFile(dir / "list.json",
                    "\xEF\xBB\xBF [{\"name\": \"[[[{\\\"[[[[[[[[[[\", \"zn\": 32767, "
                    "\"gears\": [255, 10]}]");
    const CliRun run = machines("import list.json");
    ASSERT_EQ(run.status, 0) << run.err;
    const Json shown = json("show 4 --json");
    EXPECT_EQ(shown["name"], "[[[{\"[[[[[[[[[[");
    EXPECT_EQ(shown["gears"], Json::parse("[10, 255]"));
}

TEST_F(MachinesCliTest, BadInputGivesOneLineOnStderrStatusTwoAndChangesNoFile) {
    std::filesystem::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    test::writeFile(dir / "bad.csv", "A,15,20\nB,15,twenty\n");
    test::writeFile(dir / "two.csv", "A,15,20\nB,15,30\n");
    // A million brackets: far below the size limit, far beyond any stack.
    test::writeFile(dir / "deep.json", std::string(1000000, '[') + std::string(1000000, ']'));
    const auto machineJson = [this](const std::string& name, const std::string& fields) {
        test::writeFile(dir / name, "[{\"name\": \"X\", " + fields + "}]");
    };
    machineJson("huge.json", "\"zn\": 18446744073709551615, \"gears\": [20]");
    machineJson("low.json", "\"zn\": -40000, \"gears\": [20]");
    machineJson("half.json", "\"zn\": 15.5, \"gears\": [20]");
    machineJson("tooth.json", "\"zn\": 15, \"gears\": [20, 4294967316]");
    machineJson("nogears.json", "\"zn\": 15");
    MachineStore::createFile((dir / "full.lib").string(),
                             std::vector<NewMachine>(255, NewMachine{"M", 15, {20}}));
    const std::string lib = onDisk();
    const std::string full = test::readFile(dir / "full.lib");
    const std::pair<std::string, const char*> cases[] = {
        {"select --gears 20,abc --ratio 1", "abc"},
        {"select --gears 20,300 --ratio 1", "300"},
        {"select --gears 20 --ratio 1 --fast", "--fast"},
        {"select --gears 20,30 --ratio 0", "ratio"},
        {"select --gears 20,30 --ratio 1.2x", "1.2x"},
        {"select --gears 20,30 --ratio 1 --count -1", "count"},
        {"select --gears 20,30 --ratio 1 --count 99999999999", "count"},
        {"select --gears 20,30 --ratio 1 --zn 40000", "zn"},
        {"select --lib system.lib --machine 1 --gears 20 --ratio 1", "excludes"},
        {"select --lib system.lib --gears 20,30 --ratio 1", "--machine"},
        {"select --ratio 1", "--gears"},
        {"select --lib fifo --machine 1 --ratio 1", "named pipe"},
        {"machines --lib system.lib show Nope", "no machine 'Nope'"},
        {"machines --lib system.lib delete 4", "outside 1 to 3"},
        {"machines --lib none.lib list", "does not exist"},
        {"machines --lib none.lib where", "no such file"},
        {"machines --lib folder where", "it is a folder"},
        {"machines --lib folder list", "not a regular file but a folder"},
        {"machines --lib fifo list", "not a regular file but a named pipe"},
        {"machines --lib /dev/null delete 1", "character device"},
        {"machines --lib system.lib frobnicate", "subcommand"},
        {"machines --lib system.lib --wait soon delete 1", "wait"},
        {"machines --lib system.lib add Big --gears $(printf '20,%.0s' $(seq 420))20",
         "at most 412 gears"},
        {"machines --lib system.lib import none.csv", "does not exist"},
        {"machines --lib system.lib import fifo", "named pipe"},
        {"machines --lib system.lib import bad.csv", "line 2: "},
        {"machines --lib system.lib import deep.json", "nests deeper than 8"},
        {"machines --lib system.lib import huge.json", "18446744073709551615"},
        {"machines --lib system.lib import low.json", "-40000"},
        {"machines --lib system.lib import half.json", "15.5"},
        {"machines --lib system.lib import tooth.json", "4294967316"},
        {"machines --lib system.lib import nogears.json", "lacks the key 'gears'"},
        {"machines --lib full.lib add More --gears 20", "of at most 255"},
        {"machines --lib full.lib import two.csv", "2 more do not fit"},
    };
    for (const auto& [args, mentions] : cases) {
        EXPECT_TRUE(refusedWith(cli(args), mentions)) << args;
        EXPECT_TRUE(sameBytes(onDisk(), lib)) << args;
        EXPECT_TRUE(sameBytes(test::readFile(dir / "full.lib"), full)) << args;
    }
    for (const std::string& name : entries()) {
        EXPECT_EQ(name.find(".new-"), std::string::npos) << name; // no save was started
    }
}

using MakeDefaultLibTest = test::FolderTest;

TEST_F(MakeDefaultLibTest, StoresTheDefaultMachinesWithoutLossAndNeverOverwrites) {
    const std::string command = test::shellQuoted(GEARSEL_MAKE_LIB_PATH) + " " +
                                test::shellQuoted(GEARSEL_DEFAULT_MACHINES) + " " +
                                test::shellQuoted(lib()) + " >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto machines = parseMachineCsv(test::readFile(GEARSEL_DEFAULT_MACHINES), "source");
    MachineStore store = MachineStore::open(lib());
    ASSERT_EQ(store.machines().size(), machines.size());
    EXPECT_EQ(store.gearList(0), kFourteen);
    for (std::size_t i = 0; i < machines.size(); ++i) {
        SCOPED_TRACE(machines[i].name);
        // Every name fits and every list is written sorted, so nothing changes on the way.
        EXPECT_EQ(store.machines()[i].name, machines[i].name);
        EXPECT_EQ(store.storedGearList(static_cast<int>(i)), machines[i].gears);
        EXPECT_TRUE(machines[i].zn >= 5 && machines[i].zn <= 40) << machines[i].zn;
    }
    // The constants that the machine types fix, in their file beside the data file.
    const std::pair<const char*, const char*> constants[] = {
        {"标准挂轮 14 片", ""},
        {"CA6140 车床", "leadscrew=12mm"},
        {"C620-1 车床", "leadscrew=12mm"},
        {"Y38 滚齿机", "k=24 c=7.95775"},
        {"Y3150E 滚齿机", "k=24 c=9"},
        {"F11125 分度头", "n=40"},
    };
    for (const auto& [name, expected] : constants) {
        const auto at = std::find_if(store.machines().begin(), store.machines().end(),
                                     [&](const MachineEntry& m) { return m.name == name; });
        ASSERT_NE(at, store.machines().end()) << name;
        std::string known;
        const MachineConstants kept =
            store.constants(static_cast<int>(at - store.machines().begin()));
        for (const ConstantKey key : kConstantKeys) {
            if (const auto text = constantText(kept, key)) {
                known += std::string(known.empty() ? "" : " ") + constantName(key) + "=" + *text;
            }
        }
        EXPECT_EQ(known, expected) << name;
    }
    store.renameMachine(0, "Mine");
    const std::string edited = onDisk();
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(sameBytes(onDisk(), edited));
}

} // namespace
} // namespace gearsel
