// SPDX-License-Identifier: GPL-3.0-or-later
// Where the data file is found: beside the executable, the user's own file, or a copy of the
// installed default data made on first start, whole or not at all.

#include "faulty_file_system.h"
#include "lib_bytes.h"
#include "store/data_location.h"
#include "store/posix_file_system.h"
#include "store/store_error.h"
#include "store_error_text.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace gearsel {
namespace {

namespace fs = std::filesystem;

TEST(DataPlacesTest, UserFolderFromTheEnvironment) {
    const struct {
        const char* name;
        const char* xdgDataHome;
        const char* home;
        const char* perUser;
    } cases[] = {
        {"XDG_DATA_HOME", "/x/data", "/home/u", "/x/data/gearsel/system.lib"},
        {"HOME only", nullptr, "/home/u", "/home/u/.local/share/gearsel/system.lib"},
        {"empty XDG_DATA_HOME", "", "/home/u/", "/home/u/.local/share/gearsel/system.lib"},
        {"relative XDG_DATA_HOME", "data", "/home/u", "/home/u/.local/share/gearsel/system.lib"},
        {"no home", nullptr, nullptr, ""},
        {"relative HOME", nullptr, "home", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DataPlaces places = dataPlaces("/opt/gs/bin", c.xdgDataHome, c.home);
        EXPECT_EQ(places.beside, "/opt/gs/bin/system.lib");
        EXPECT_EQ(places.perUser, c.perUser);
        EXPECT_EQ(places.seed, "/opt/gs/share/gearsel/system.lib");
    }
}

class DataLocationTest : public test::FolderTest {
protected:
    DataPlaces places() const {
        return {dir / "bin" / "system.lib", dir / "home" / "data" / "gearsel" / "system.lib",
                dir / "share" / "system.lib"};
    }
    // Writes `bytes` to `path`, making its folder first.
    static void put(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        test::writeFile(path, bytes);
    }
    // The names in the folder of the user's file; none is a leftover temporary file.
    std::vector<std::string> userFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(places().perUser.parent_path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(DataLocationTest, FirstPlaceThatHoldsAFileWins) {
    enum Found { Beside, PerUser, None };
    const struct {
        const char* name;
        bool beside, perUser, seed;
        Found found;
    } cases[] = {
        {"all three", true, true, true, Beside},
        {"beside only", true, false, false, Beside},
        {"user's file and seed", false, true, true, PerUser},
        {"user's file only", false, true, false, PerUser},
        {"nothing", false, false, false, None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir / "bin");
        fs::remove_all(dir / "home");
        fs::remove_all(dir / "share");
        const DataPlaces p = places();
        if (c.beside) {
            put(p.beside, "beside");
        }
        if (c.perUser) {
            put(p.perUser, "mine");
        }
        if (c.seed) {
            put(p.seed, "seed");
        }
        const fs::path expected[] = {p.beside, p.perUser, fs::path()};
        EXPECT_EQ(locateDataFile(p), expected[c.found]);
        // Nothing is copied when a file was found, or when there is no seed to copy.
        EXPECT_EQ(fs::exists(p.perUser), c.perUser);
        if (c.perUser) {
            EXPECT_EQ(test::readFile(p.perUser), "mine");
        }
    }
}

TEST_F(DataLocationTest, FirstStartCopiesTheSeedAsTheUsersOwnFile) {
    const DataPlaces p = places();
    put(p.seed, "default data");
    ::chmod(p.seed.c_str(), 0444); // installed read-only
    ASSERT_EQ(locateDataFile(p), p.perUser);
    EXPECT_EQ(test::readFile(p.perUser), "default data");
    struct stat info {};
    ASSERT_EQ(::lstat(p.perUser.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0644U);
    EXPECT_EQ(info.st_nlink, 1U);
    for (const fs::path& folder : {dir / "home", p.perUser.parent_path()}) {
        ASSERT_EQ(::stat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700U) << folder;
    }
    EXPECT_EQ(userFolder(), std::vector<std::string>{"system.lib"});
    // The copy is where the changes go; the seed stays as installed.
    test::writeFile(p.perUser, "changed");
    EXPECT_EQ(locateDataFile(p), p.perUser);
    EXPECT_EQ(test::readFile(p.perUser), "changed");
    EXPECT_EQ(test::readFile(p.seed), "default data");
}

TEST_F(DataLocationTest, FirstStartCopiesTheSeedsConstantsAlongAndKeepsTheUsersOwn) {
    const DataPlaces p = places();
    put(p.seed, "default data");
    put(p.seed.string() + ".constants.json", "default constants");
    ASSERT_EQ(locateDataFile(p), p.perUser);
    EXPECT_EQ(test::readFile(p.perUser.string() + ".constants.json"), "default constants");
    EXPECT_EQ(userFolder(), (std::vector<std::string>{"system.lib", "system.lib.constants.json"}));
    // The user deleted the data file only: the constants file the user had stays.
    fs::remove(p.perUser);
    test::writeFile(p.perUser.string() + ".constants.json", "mine");
    ASSERT_EQ(locateDataFile(p), p.perUser);
    EXPECT_EQ(test::readFile(p.perUser), "default data");
    EXPECT_EQ(test::readFile(p.perUser.string() + ".constants.json"), "mine");
}

TEST_F(DataLocationTest, ALinkInTheUsersPlaceIsKeptEvenWhenBroken) {
    const DataPlaces p = places();
    put(p.seed, "seed");
    fs::create_directories(p.perUser.parent_path());
    fs::create_symlink(dir / "elsewhere.lib", p.perUser);
    EXPECT_EQ(locateDataFile(p), p.perUser);
    EXPECT_TRUE(fs::is_symlink(p.perUser));
    EXPECT_FALSE(fs::exists(dir / "elsewhere.lib"));
}

TEST_F(DataLocationTest, AFailedCopyLeavesNothingBehind) {
    const struct {
        test::Step step;
        int error;
        const char* names; // the file the message is about
        const char* cause;
    } failures[] = {
        {test::Step::Read, EACCES, "share/system.lib", "没有访问权限"},
        {test::Step::CreateTemp, EROFS, "gearsel/system.lib", "只读"},
        {test::Step::Write, ENOSPC, "gearsel/system.lib", "磁盘已满"},
        {test::Step::Sync, EIO, "gearsel/system.lib", "磁盘读写出错"},
    };
    const DataPlaces p = places();
    put(p.seed, "seed");
    for (const auto& f : failures) {
        SCOPED_TRACE(f.cause);
        test::FaultyFileSystem faulty;
        faulty.failing = f.step;
        faulty.error = f.error;
        const std::string message = test::messageOf([&] { locateDataFile(p, faulty); });
        EXPECT_NE(message.find(f.names), std::string::npos) << message;
        EXPECT_NE(message.find(f.cause), std::string::npos) << message;
        EXPECT_FALSE(fs::exists(p.perUser));
        if (fs::exists(p.perUser.parent_path())) {
            EXPECT_EQ(userFolder(), std::vector<std::string>{});
        }
    }
    // A folder that cannot be made is named in the message.
    fs::remove_all(dir / "home");
    put(dir / "home" / "data", "a file where the folder should be");
    const std::string message = test::messageOf([&] { locateDataFile(p); });
    EXPECT_NE(message.find("home/data"), std::string::npos) << message;
}

// The real file system, except that another start of the program creates the user's file
// just before this one puts its copy in place.
class RacingFileSystem final : public PosixFileSystem {
public:
    int link(const std::string& from, const std::string& to) override {
        test::writeFile(to, "made and changed by the other start");
        return PosixFileSystem::link(from, to);
    }
};

TEST_F(DataLocationTest, ACopyMadeByAnotherStartAtTheSameMomentIsKept) {
    const DataPlaces p = places();
    put(p.seed, "seed");
    RacingFileSystem racing;
    EXPECT_EQ(locateDataFile(p, racing), p.perUser);
    EXPECT_EQ(test::readFile(p.perUser), "made and changed by the other start");
    EXPECT_EQ(userFolder(), std::vector<std::string>{"system.lib"});
}

TEST(DataFileNotFoundTest, MessageNamesEveryPlaceLookedAt) {
    const DataPlaces places = dataPlaces("/opt/gs/bin", nullptr, "/home/u");
    for (const Language language : kLanguages) {
        const std::string text = dataFileNotFoundText(places, language);
        for (const fs::path& place : {places.beside, places.perUser, places.seed}) {
            EXPECT_NE(text.find(place.string()), std::string::npos) << text;
        }
        EXPECT_EQ(text.find('\n'), std::string::npos);
    }
    const DataPlaces homeless = dataPlaces("/opt/gs/bin", nullptr, nullptr);
    EXPECT_NE(dataFileNotFoundText(homeless, Language::Chinese).find("主文件夹"),
              std::string::npos);
    EXPECT_NE(dataFileNotFoundText(homeless, Language::English).find("no home folder"),
              std::string::npos);
}

} // namespace
} // namespace gearsel
