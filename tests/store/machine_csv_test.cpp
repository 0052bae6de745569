// Machine lists as text: the default data source, backups and spreadsheets.

#include "lib_bytes.h"
#include "store/machine_csv.h"
#include "store/store_error.h"

#include <gtest/gtest.h>
#include <tuple>

namespace gearsel {
namespace {

using Row = std::tuple<std::string, int, std::vector<std::int16_t>>;

std::vector<Row> rows(const std::vector<NewMachine>& machines) {
    std::vector<Row> result;
    for (const NewMachine& m : machines) {
        result.emplace_back(m.name, m.zn, m.gears);
    }
    return result;
}

TEST(MachineCsvTest, ReadsCommentsQuotesAndSpreadsheetHabits) {
    const std::string text = "\xEF\xBB\xBF# name, Zn, teeth\r\n"
                             "\r\n"
                             "CA6140 车床, 15, 20, 25 ,30\r\n"
                             "  \"#1, \"\"big\"\"\" , -3\n"
                             "Wide,16,20,,,\n"
                             "  # indented comment\n"
                             "\" spaced \",0";
    EXPECT_EQ(rows(parseMachineCsv(text, "list.csv")),
              (std::vector<Row>{{"CA6140 车床", 15, {20, 25, 30}},
                                {"#1, \"big\"", -3, {}},
                                {"Wide", 16, {20}},
                                {" spaced ", 0, {}}}));
}

TEST(MachineCsvTest, WrittenLinesReadBackUnchanged) {
    const std::vector<NewMachine> machines = {{"plain", 15, {20, 20, 255}},
                                              {"a,b", 1, {}},
                                              {"say \"hi\"", -5, {10}},
                                              {"#hash", 40, {30}},
                                              {" pad ", 0, {11}}};
    std::string text;
    for (const auto& m : machines) {
        text += machineCsvLine(m);
    }
    EXPECT_EQ(rows(parseMachineCsv(text, "x")), rows(machines));
}

TEST(MachineCsvTest, ErrorsNameTheFileAndTheLine) {
    const auto message = [](const std::string& text) {
        return test::errorOf<StoreError>([&] { parseMachineCsv(text, "in.csv"); });
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
