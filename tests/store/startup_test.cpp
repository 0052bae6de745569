// SPDX-License-Identifier: GPL-3.0-or-later
// What the program needs at start: an existing, writable system.lib.

#include "lib_bytes.h"
#include "store/data_file.h"
#include "store/store_error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace gearsel {
namespace {

using MakeWritableTest = test::FolderTest;

TEST_F(MakeWritableTest, AddsTheOwnersWriteBitOnly) {
    test::writeFile(lib(), "x");
    ::chmod(lib().c_str(), 0444);
    makeWritable(lib());
    struct stat info {};
    ASSERT_EQ(::stat(lib().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644U);
    EXPECT_TRUE(dataFileExists(lib()));
    EXPECT_FALSE(dataFileExists(dir));
    EXPECT_FALSE(dataFileExists(dir / "missing.lib"));
    EXPECT_THROW(makeWritable(dir / "missing.lib"), StoreError);
}

} // namespace
} // namespace gearsel
