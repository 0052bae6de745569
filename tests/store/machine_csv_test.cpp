// Machine lists as text: the default data source, backups and spreadsheets.

#include "store/machine_csv.h"
#include "store/store_error.h"

#include <gtest/gtest.h>

namespace gearsel {
namespace {

TEST(MachineCsvTest, ReadsCommentsQuotesAndSpreadsheetHabits) {
    const std::string text = "\xEF\xBB\xBF# name, Zn, teeth\r\n"
                             "\r\n"
                             "CA6140 车床, 15, 20, 25 ,30\r\n"
                             "  \"#1, \"\"big\"\"\" , -3\n"
                             "Wide,16,20,,,\n"
                             "  # indented comment\n"
                             "\" spaced \",0";
    const auto machines = parseMachineCsv(text, "list.csv");
    ASSERT_EQ(machines.size(), 4U);
    EXPECT_EQ(machines[0].name, "CA6140 车床");
    EXPECT_EQ(machines[0].gears, (std::vector<std::int16_t>{20, 25, 30}));
    EXPECT_EQ(machines[1].name, "#1, \"big\"");
    EXPECT_EQ(machines[1].zn, -3);
    EXPECT_TRUE(machines[1].gears.empty());
    EXPECT_EQ(machines[2].gears, (std::vector<std::int16_t>{20}));
    EXPECT_EQ(machines[3].name, " spaced ");
}

TEST(MachineCsvTest, WrittenLinesReadBackUnchanged) {
    const std::vector<MachineSpec> machines = {{"plain", 15, {20, 20, 255}},
                                               {"a,b", 1, {}},
                                               {"say \"hi\"", -5, {10}},
                                               {"#hash", 40, {30}},
                                               {" pad ", 0, {11}}};
    std::string text;
    for (const auto& m : machines) {
        text += machineCsvLine(m);
    }
    const auto back = parseMachineCsv(text, "x");
    ASSERT_EQ(back.size(), machines.size());
    for (std::size_t i = 0; i < machines.size(); ++i) {
        EXPECT_EQ(back[i].name, machines[i].name);
        EXPECT_EQ(back[i].zn, machines[i].zn);
        EXPECT_EQ(back[i].gears, machines[i].gears);
    }
}

TEST(MachineCsvTest, ErrorsNameTheFileAndTheLine) {
    const auto message = [](const std::string& text) {
        try {
            parseMachineCsv(text, "in.csv");
        } catch (const StoreError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("A,15\nB,15,20,x2\n"), "文件“in.csv”第 2 行：齿数 “x2”不是 16 位整数");
    EXPECT_NE(message("A\n").find("第 1 行：缺少 Zn"), std::string::npos);
    EXPECT_NE(message("A,40000\n").find("Zn “40000”"), std::string::npos);
    EXPECT_NE(message("\"A,15\n").find("引号"), std::string::npos);
    EXPECT_NE(message("\"A\"x,15\n").find("引号"), std::string::npos);
    EXPECT_NE(message("A,15,20,,30\n").find("齿数 “”"), std::string::npos);
}

} // namespace
} // namespace gearsel
