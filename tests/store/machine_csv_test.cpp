// SPDX-License-Identifier: GPL-3.0-or-later
// Machine lists as text: the default data source, backups and spreadsheets.

#include "lib_bytes.h"
#include "store/machine_csv.h"
#include "store/store_error.h"
#include "store_error_text.h"

#include <gtest/gtest.h>
#include <tuple>

namespace gearsel {
namespace {

// A machine as name, Zn, gears and its known constants as "key=text" items.
using Row = std::tuple<std::string, int, std::vector<std::int16_t>, std::string>;

std::vector<Row> rows(const std::vector<NewMachine>& machines) {
    std::vector<Row> result;
    for (const NewMachine& m : machines) {
        std::string constants;
        for (const ConstantKey key : kConstantKeys) {
            if (const auto text = constantText(m.constants, key)) {
                constants += std::string(constantName(key)) + "=" + *text + " ";
            }
        }
        result.emplace_back(m.name, m.zn, m.gears, constants);
    }
    return result;
}

MachineConstants constantsOf(std::initializer_list<std::pair<ConstantKey, const char*>> items) {
    MachineConstants constants;
    for (const auto& [key, text] : items) {
        setConstantText(constants, key, text);
    }
    return constants;
}

TEST(MachineCsvTest, ReadsCommentsQuotesAndSpreadsheetHabits) {
    const std::string text = "\xEF\xBB\xBF# name, Zn, teeth\r\n"
                             "\r\n"
                             "CA6140 车床, 15, 20, 25 ,30\r\n"
                             "  \"#1, \"\"big\"\"\" , -3\n"
                             "Wide,16,20,,,\n"
                             "  # indented comment\n"
                             "\" spaced \",0\n"
                             "Lathe, 15, 20, 127, leadscrew = 6mm, gearbox=3/2,,\n"
                             "Hob,12,k=24,20,c=7.95775\n";
    EXPECT_EQ(rows(parseMachineCsv(text, "list.csv")),
              (std::vector<Row>{{"CA6140 车床", 15, {20, 25, 30}, ""},
                                {"#1, \"big\"", -3, {}, ""},
                                {"Wide", 16, {20}, ""},
                                {" spaced ", 0, {}, ""},
                                {"Lathe", 15, {20, 127}, "leadscrew=6mm gearbox=1.5 "},
                                {"Hob", 12, {20}, "k=24 c=7.95775 "}}));
}

TEST(MachineCsvTest, WrittenLinesReadBackUnchanged) {
    const std::vector<NewMachine> machines = {{"plain", 15, {20, 20, 255}},
                                              {"a,b", 1, {}},
                                              {"say \"hi\"", -5, {10}},
                                              {"#hash", 40, {30}},
                                              {" pad ", 0, {11}},
                                              {"Lathe",
                                               15,
                                               {20},
                                               constantsOf({
                                                   {ConstantKey::Leadscrew, "4tpi"},
                                                   {ConstantKey::GearboxRatio, "60/127"},
                                                   {ConstantKey::HeadRatio, "0.1"},
                                               })}};
    std::string text;
    for (const auto& m : machines) {
        text += machineCsvLine(m);
    }
    EXPECT_EQ(rows(parseMachineCsv(text, "x")), rows(machines));
}

TEST(MachineCsvTest, ErrorsNameTheFileAndTheLine) {
    const auto message = [](const std::string& text) {
        return test::messageOf([&] { parseMachineCsv(text, "in.csv"); });
    };
    EXPECT_EQ(message("A,15\nB,15,20,x2\n"), "文件“in.csv”第 2 行：齿数 “x2”不是 16 位整数");
    EXPECT_NE(message("A\n").find("第 1 行：缺少 Zn"), std::string::npos);
    EXPECT_NE(message("A,40000\n").find("Zn “40000”"), std::string::npos);
    EXPECT_NE(message("\"A,15\n").find("引号"), std::string::npos);
    EXPECT_NE(message("\"A\"x,15\n").find("引号"), std::string::npos);
    EXPECT_NE(message("A,15,20,,30\n").find("齿数 “”"), std::string::npos);
    EXPECT_EQ(message("A,15\nB,15,k=24,20,k=48\n"), "文件“in.csv”第 2 行：常数 k 出现了两次");
    EXPECT_NE(message("A,15,pitch=2\n").find("第 1 行：“pitch”不是机床常数"), std::string::npos);
    EXPECT_NE(message("A,15,leadscrew=m2\n").find("第 1 行：常数 leadscrew=m2 不可用"),
              std::string::npos);
    EXPECT_NE(message("A,15,n=0\n").find("第 1 行：常数 n=0 不可用"), std::string::npos);
    EXPECT_NE(message("A,15\n\nB\xff,15\n").find("第 3 行：有不属于 UTF-8 的字节 0xff"),
              std::string::npos);
    EXPECT_NE(message(std::string("\xff\xfe"
                                  "A\0,\0"
                                  "1\0"
                                  "5\0",
                                  10))
                  .find("UTF-16"),
              std::string::npos);
}

} // namespace
} // namespace gearsel
