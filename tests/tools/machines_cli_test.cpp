// gearsel-cli machines and select --machine, run as a user would, on data files made in a
// temporary folder.

#include "cli_run.h"
#include "lib_bytes.h"
#include "store/machine_store.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace gearsel {
namespace {

using test::CliRun;
using test::runCli;
using test::shellQuoted;
using Json = nlohmann::json;

const std::vector<std::int16_t> kFourteen = {20, 25, 30, 35, 40, 45,  50,
                                             55, 60, 70, 80, 90, 100, 120};

class MachinesCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        MachineStore::createFile(lib(), {{"CA6140", 15, kFourteen},
                                         {"Y38 滚齿机", 12, {20, 20, 23, 30}},
                                         {"C620", 16, {30, 40, 50}}});
    }

    std::string lib() const { return (dir_.path() / "system.lib").string(); }
    // `args` with LIB standing for the quoted path of the data file.
    std::string withLib(std::string args) const {
        for (auto at = args.find("LIB"); at != std::string::npos; at = args.find("LIB")) {
            args.replace(at, 3, shellQuoted(lib()));
        }
        return args;
    }
    CliRun machines(const std::string& args) const {
        return runCli("machines --lib " + shellQuoted(lib()) + " " + args);
    }
    Json listed() const {
        const CliRun run = machines("list --json");
        EXPECT_EQ(run.status, 0) << run.err;
        return Json::parse(run.out);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& row : listed()) {
            result.push_back(row["name"]);
        }
        return result;
    }
    Json shown(const std::string& machine) const {
        const CliRun run = machines("show " + shellQuoted(machine) + " --json");
        EXPECT_EQ(run.status, 0) << run.err;
        return Json::parse(run.out);
    }

    test::TempDir dir_;
};

TEST_F(MachinesCliTest, ListAndShowAsTablesAndJson) {
    const CliRun table = machines("list");
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out, "序号 机床型号   Zn 挂轮数\n"
                         "1    CA6140     15 14\n"
                         "2    Y38 滚齿机 12 4\n"
                         "3    C620       16 3\n");
    EXPECT_EQ(listed()[1],
              Json::parse(R"({"index":2,"name":"Y38 滚齿机","zn":12,"gear_count":4})"));

    const CliRun show = machines("show 3");
    ASSERT_EQ(show.status, 0) << show.err;
    EXPECT_NE(show.out.find("挂轮齿数:   30,40,50\n"), std::string::npos) << show.out;
    EXPECT_EQ(shown("Y38 滚齿机")["gears"], Json::parse("[20,20,23,30]"));
}

TEST_F(MachinesCliTest, ShowGivesTheGearListAsStoredAndAsRead) {
    test::LibBytes file(test::LibBytes::slotAt(2));
    file.record(5, "", 0, 1);
    file.machine(1, "Odd", 15, 3);
    file.slot(1, {0, 300, 40});
    test::writeFile(lib(), file.bytes);
    const Json machine = shown("1");
    EXPECT_EQ(machine["gears"], Json::parse("[10,255,40]"));
    EXPECT_EQ(machine["stored"], Json::parse("[0,300,40]"));
}

TEST_F(MachinesCliTest, EditingCommandsChangeTheTableInTheFile) {
    for (const char* args : {"add 'New one' --gears 40,30 --zn 18", "copy 1 'CA copy'",
                             "rename C620 C620-1", "set-gears 2 --gears 25,20", "delete CA6140"}) {
        const CliRun run = machines(args);
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"Y38 滚齿机", "C620-1", "New one", "CA copy"}));
    EXPECT_EQ(shown("Y38 滚齿机")["gears"], Json::parse("[20,25]"));
    EXPECT_EQ(shown("New one")["zn"], 18);
    EXPECT_EQ(shown("New one")["gears"], Json::parse("[30,40]"));
    EXPECT_EQ(shown("CA copy")["gears"], Json(kFourteen));
}

TEST_F(MachinesCliTest, ExportedMachinesImportIntoAnotherFile) {
    for (const char* format : {"csv", "json"}) {
        SCOPED_TRACE(format);
        const CliRun exported = machines(std::string("export --format ") + format);
        ASSERT_EQ(exported.status, 0) << exported.err;
        const auto backup = dir_.path() / (std::string("backup.") + format);
        test::writeFile(backup, exported.out);

        const auto other = dir_.path() / "other.lib";
        std::filesystem::remove(other);
        MachineStore::createFile(other.string(), {{"Keep", 15, {20}}});
        const CliRun imported = runCli("machines --lib " + shellQuoted(other.string()) +
                                       " import " + shellQuoted(backup.string()));
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_NE(imported.out.find("第 2 到 4 台"), std::string::npos) << imported.out;

        const MachineStore original = MachineStore::open(lib());
        const MachineStore copy = MachineStore::open(other.string());
        ASSERT_EQ(copy.machines().size(), 4U);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(copy.machines()[static_cast<std::size_t>(i) + 1].name,
                      original.machines()[static_cast<std::size_t>(i)].name);
            EXPECT_EQ(copy.machines()[static_cast<std::size_t>(i) + 1].zn,
                      original.machines()[static_cast<std::size_t>(i)].zn);
            EXPECT_EQ(copy.gearList(i + 1), original.gearList(i));
        }
    }
}

TEST_F(MachinesCliTest, SelectOnAMachineUsesItsGearsAndItsZn) {
    const auto results = [](const std::string& args) {
        const CliRun run = runCli(args + " --ratio 0.61803 --count 8 --json");
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        return Json::parse(run.out)["results"];
    };
    EXPECT_EQ(results(withLib("select --lib LIB --machine CA6140")),
              results("select --gears 20,25,30,35,40,45,50,55,60,70,80,90,100,120 --zn 15"));
    EXPECT_EQ(results(withLib("select --machine 2 --lib LIB")),
              results("select --gears 20,20,23,30 --zn 12"));
    EXPECT_EQ(results(withLib("select --machine 2 --lib LIB --zn 40")),
              results("select --gears 20,20,23,30 --zn 40"));
}

TEST_F(MachinesCliTest, AFullTableTakesNoMore) {
    std::filesystem::remove(lib());
    MachineStore::createFile(lib(), std::vector<MachineSpec>(255, MachineSpec{"M", 15, {20}}));
    const std::string full = test::readFile(lib());
    EXPECT_TRUE(test::refusedWith(machines("add More --gears 20"), "最多只能有 255 台"));
    EXPECT_TRUE(test::refusedWith(machines("import " + shellQuoted(GEARSEL_DEFAULT_MACHINES)),
                                  "不能再添加 9 台"));
    EXPECT_TRUE(test::sameBytes(test::readFile(lib()), full));
}

struct Refused {
    const char* name;
    const char* args; // LIB stands for the data file
    const char* mentions;
};

void PrintTo(const Refused& r, std::ostream* os) {
    *os << r.name;
}

class MachinesCliRefusedTest : public MachinesCliTest,
                               public ::testing::WithParamInterface<Refused> {};

TEST_P(MachinesCliRefusedTest, OneLineOnStderrStatusTwoAndTheFileUnchanged) {
    std::filesystem::create_directory(dir_.path() / "folder");
    test::writeFile(dir_.path() / "bad.csv", "A,15,20\nB,15,twenty\n");
    const std::string before = test::readFile(lib());
    std::string args = withLib(GetParam().args);
    for (auto at = args.find("DIR"); at != std::string::npos; at = args.find("DIR")) {
        args.replace(at, 3, shellQuoted(dir_.path().string()));
    }
    EXPECT_TRUE(test::refusedWith(runCli(args), GetParam().mentions));
    EXPECT_TRUE(test::sameBytes(test::readFile(lib()), before));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MachinesCliRefusedTest,
    ::testing::Values(
        Refused{"NoSuchName", "machines --lib LIB show Nope", "no machine 'Nope'"},
        Refused{"NumberOutsideTheTable", "machines --lib LIB delete 4", "outside 1 to 3"},
        Refused{"MissingFile", "machines --lib DIR/none.lib list", "不存在"},
        Refused{"FolderInsteadOfFile", "machines --lib DIR/folder list", "文件夹"},
        Refused{"BadGearList", "machines --lib LIB set-gears 1 --gears 20,5", "5"},
        Refused{"MoreGearsThanASlotHolds",
                "machines --lib LIB add Big --gears $(printf '20,%.0s' $(seq 420))20",
                "最多 412 个挂轮"},
        Refused{"ImportMissing", "machines --lib LIB import DIR/none.csv", "无法读取"},
        Refused{"ImportBadLine", "machines --lib LIB import DIR/bad.csv", "第 2 行"},
        Refused{"UnknownAction", "machines --lib LIB frobnicate", "subcommand"},
        Refused{"GearsAndMachine", "select --lib LIB --machine 1 --gears 20 --ratio 1", "excludes"},
        Refused{"LibWithoutMachine", "select --lib LIB --gears 20,30 --ratio 1", "--machine"},
        Refused{"NeitherGearsNorMachine", "select --ratio 1", "--gears"},
        Refused{"SelectOnMissingMachine", "select --lib LIB --machine 7 --ratio 1",
                "outside 1 to 3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MakeDefaultLibTest, CreatesAMissingFileAndNeverOverwritesOne) {
    test::TempDir dir;
    const auto target = dir.path() / "system.lib";
    const std::string command = std::string("'") + GEARSEL_MAKE_LIB_PATH + "' '" +
                                GEARSEL_DEFAULT_MACHINES + "' '" + target.string() + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(MachineStore::open(target.string()).gearList(0), kFourteen);

    MachineStore::open(target.string()).renameMachine(0, "Mine");
    const std::string edited = test::readFile(target);
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(test::sameBytes(test::readFile(target), edited));
}

} // namespace
} // namespace gearsel
