// What the program needs at start: the default data file and a writable system.lib.

#include "lib_bytes.h"
#include "store/data_file.h"
#include "store/machine_csv.h"
#include "store/machine_store.h"
#include "store/store_error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace gearsel {
namespace {

TEST(DefaultMachinesTest, BuildsAFileWhoseFirstMachineIsTheFourteenGearSet) {
    const std::string source = GEARSEL_DEFAULT_MACHINES;
    const auto machines = parseMachineCsv(test::readFile(source), source);
    test::TempDir dir;
    const std::string path = (dir.path() / "system.lib").string();
    MachineStore::createFile(path, machines);

    const MachineStore store = MachineStore::open(path);
    ASSERT_EQ(store.machines().size(), machines.size());
    EXPECT_EQ(store.gearList(0), (std::vector<std::int16_t>{20, 25, 30, 35, 40, 45, 50, 55, 60, 70,
                                                            80, 90, 100, 120}));
    for (std::size_t i = 0; i < machines.size(); ++i) {
        SCOPED_TRACE(machines[i].name);
        // Stored without loss: every name fits, every list as written (they are sorted).
        EXPECT_EQ(store.machines()[i].name, machines[i].name);
        EXPECT_EQ(store.storedGearList(static_cast<int>(i)), machines[i].gears);
        EXPECT_GE(machines[i].zn, 5);
        EXPECT_LE(machines[i].zn, 40);
    }
}

TEST(MakeWritableTest, AddsTheOwnersWriteBitOnly) {
    test::TempDir dir;
    const auto path = dir.path() / "system.lib";
    test::writeFile(path, "x");
    ::chmod(path.c_str(), 0444);
    makeWritable(path);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644U);
    EXPECT_TRUE(dataFileExists(path));
    EXPECT_FALSE(dataFileExists(dir.path()));
    EXPECT_FALSE(dataFileExists(dir.path() / "missing.lib"));
    EXPECT_THROW(makeWritable(dir.path() / "missing.lib"), StoreError);
}

} // namespace
} // namespace gearsel
