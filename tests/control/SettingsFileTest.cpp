#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "InitSettings.h"
#include "SettingsFile.h"

namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "control-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        path_ = (dir_ / "pelzo.cfg").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void WriteFile(const std::string& content) const { std::ofstream(path_) << content; }

    std::string FileContent() const {
        std::ifstream in(path_);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    int EntriesInDir() const {
        return static_cast<int>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
    std::string path_;
};

InitSettings Sample() {
    InitSettings s;
    s.portNumber = 3;
    s.lat = "24.50000";
    s.lon = "-121.5";
    s.height = "+12.25";
    s.clockoffset = -75000;
    s.year = 2000;
    s.month = 2;
    s.date = 29;
    s.hour = 23;
    s.minute = 0;
    s.second = 59;
    s.channels = 8;
    return s;
}

void ExpectSame(const InitSettings& a, const InitSettings& b) {
    EXPECT_EQ(a.portNumber, b.portNumber);
    EXPECT_EQ(a.lat, b.lat);
    EXPECT_EQ(a.lon, b.lon);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.clockoffset, b.clockoffset);
    EXPECT_EQ(a.year, b.year);
    EXPECT_EQ(a.month, b.month);
    EXPECT_EQ(a.date, b.date);
    EXPECT_EQ(a.hour, b.hour);
    EXPECT_EQ(a.minute, b.minute);
    EXPECT_EQ(a.second, b.second);
    EXPECT_EQ(a.channels, b.channels);
}

TEST_F(SettingsFileTest, WritesOneValuePerLineWithoutAFinalLineBreak) {
    InitSettings defaults;
    defaults.portNumber = 2;
    ASSERT_TRUE(WriteSettings(defaults, path_.c_str()));
    EXPECT_EQ(FileContent(), "2\n24.1233321\n121.43323\n0\n75000\n1990\n1\n2\n12\n0\n0\n12");
}

TEST_F(SettingsFileTest, ReadsBackWhatWasWritten) {
    ASSERT_TRUE(WriteSettings(Sample(), path_.c_str()));
    InitSettings read;
    EXPECT_EQ(ReadSettings(read, path_.c_str()), InitSettings::kFieldCount);
    ExpectSame(read, Sample());
    EXPECT_EQ(ReadPortNumber(path_.c_str()), 3);
    EXPECT_EQ(EntriesInDir(), 1);  // no temporary file left behind
}

TEST_F(SettingsFileTest, ReplacingKeepsThePermissionsOfTheOldFile) {
    WriteFile("1");
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteSettings(Sample(), path_.c_str()));
    EXPECT_EQ(fs::status(path_).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SettingsFileTest, AcceptsAnyWhiteSpaceBetweenValues) {
    WriteFile("  4\r\n\n 1.5\t2.5   3.5\n\n\n10 2001\n+3 -4\n5\n6\n7 9");
    InitSettings read;
    EXPECT_EQ(ReadSettings(read, path_.c_str()), 12);
    EXPECT_EQ(read.portNumber, 4);
    EXPECT_EQ(read.lat, "1.5");
    EXPECT_EQ(read.lon, "2.5");
    EXPECT_EQ(read.height, "3.5");
    EXPECT_EQ(read.clockoffset, 10);
    EXPECT_EQ(read.month, 3);
    EXPECT_EQ(read.date, -4);
    EXPECT_EQ(read.channels, 9);
}

struct ShortFileCase {
    const char* content;
    int valuesRead;
};

class ShortSettingsFileTest : public SettingsFileTest,
                              public testing::WithParamInterface<ShortFileCase> {};

// A file that ends early or stops matching gives the values up to there; every later
// field keeps its default.
TEST_P(ShortSettingsFileTest, KeepsDefaultsAfterTheLastGoodValue) {
    WriteFile(GetParam().content);
    const InitSettings full = [] {
        InitSettings s;
        s.portNumber = 2;
        s.lat = "1.5";
        s.lon = "2.5";
        s.height = "3.5";
        s.clockoffset = 10;
        s.year = 2001;
        return s;
    }();
    InitSettings read;
    const int count = ReadSettings(read, path_.c_str());
    EXPECT_EQ(count, GetParam().valuesRead);

    InitSettings expected;  // the first `count` values of `full`, defaults after them
    const InitSettings defaults;
    expected.portNumber = count > 0 ? full.portNumber : defaults.portNumber;
    expected.lat = count > 1 ? full.lat : defaults.lat;
    expected.lon = count > 2 ? full.lon : defaults.lon;
    expected.height = count > 3 ? full.height : defaults.height;
    expected.clockoffset = count > 4 ? full.clockoffset : defaults.clockoffset;
    expected.year = count > 5 ? full.year : defaults.year;
    ExpectSame(read, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShortSettingsFileTest,
    testing::Values(ShortFileCase{"", 0}, ShortFileCase{"\n\n  \n", 0}, ShortFileCase{"x\n1.5", 0},
                    ShortFileCase{"2", 1}, ShortFileCase{"2\n1.5\n2.5", 3},
                    ShortFileCase{"2\n1.5\n2.5\n3.5\n10\n2001", 6},
                    ShortFileCase{"2\n1.5\n2.5\n3.5\n10\n2001\nJan\n2", 6},         // not a number
                    ShortFileCase{"2\n1.5\n2.5\n3.5\n10\n2001\n-\n2", 6},           // sign alone
                    ShortFileCase{"2\n1.5\n2.5\n3.5\n10\n2001\n+-1\n2", 6},         // two signs
                    ShortFileCase{"2\n1.5\n2.5\n3.5\n10\n2001\n2147483648\n2", 6},  // too big
                    ShortFileCase{"2\n1.5\n2.5\n3.5\nten\n2001", 4}));

TEST_F(SettingsFileTest, StopsAtATextTooLongForItsBuffer) {
    const std::string longest(InitSettings::kMaxTextLength, '7');
    WriteFile("1\n" + longest + "\n" + longest + "7\n0");
    InitSettings read;
    EXPECT_EQ(ReadSettings(read, path_.c_str()), 2);
    EXPECT_EQ(read.lat, longest);
    EXPECT_EQ(read.lon, InitSettings().lon);
}

TEST_F(SettingsFileTest, MissingFileReadsNothing) {
    InitSettings read = Sample();
    EXPECT_EQ(ReadSettings(read, path_.c_str()), 0);
    ExpectSame(read, Sample());
    EXPECT_EQ(ReadPortNumber(path_.c_str()), 0);
}

TEST_F(SettingsFileTest, PortNumberIsTheFirstValueOnly) {
    for (const auto& [content, port] :
         {std::pair{"3\n24.1", 3}, std::pair{"7", 7}, std::pair{" -2 x", -2}, std::pair{"COM3", 0},
          std::pair{"", 0}}) {
        WriteFile(content);
        EXPECT_EQ(ReadPortNumber(path_.c_str()), port) << content;
    }
}

TEST_F(SettingsFileTest, StoredNumberSelectsOneOfFourPorts) {
    for (const auto& [content, name] :
         {std::pair{"1", "COM1"}, std::pair{"3\n24.1", "COM3"}, std::pair{"4", "COM4"}}) {
        WriteFile(content);
        EXPECT_STREQ(StoredPortName(ReadPortNumber(path_.c_str())), name) << content;
    }
    for (const char* content : {"0", "7", "-1", "x"}) {
        WriteFile(content);
        EXPECT_EQ(StoredPortName(ReadPortNumber(path_.c_str())), nullptr) << content;
    }
}

TEST_F(SettingsFileTest, RefusedWriteLeavesTheOldFileWhole) {
    ASSERT_TRUE(WriteSettings(Sample(), path_.c_str()));
    const std::string before = FileContent();
    for (const auto& text : {std::string(), std::string(InitSettings::kMaxTextLength + 1, '1')}) {
        InitSettings bad = Sample();
        bad.lon = text;
        EXPECT_FALSE(WriteSettings(bad, path_.c_str()));
        EXPECT_EQ(FileContent(), before);
    }
    EXPECT_EQ(EntriesInDir(), 1);
}

// Root passes every permission check; while one lives, the file checks apply to it too
// (the capabilities that pass them leave the effective set, and come back afterwards).
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() {
        if (::syscall(SYS_capget, &header_, saved_) != 0) {
            return;
        }
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutPermissionOverride() {
        if (dropped_) {
            ::syscall(SYS_capset, &header_, saved_);
        }
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool dropped_ = false;
};

struct PlaceCase {
    const char* name;
    fs::perms fileMode;
    fs::perms dirMode;
    bool viaLink;  // "pelzo.cfg" is a symbolic link to the file
    bool written;
};

void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsFilePlaceTest : public SettingsFileTest,
                              public testing::WithParamInterface<PlaceCase> {};

// Written exactly when the file itself can be opened for writing, whatever its folder allows.
TEST_P(SettingsFilePlaceTest, WritesWhereAPlainWriteWould) {
    const PlaceCase c = GetParam();
    const fs::path file = c.viaLink ? dir_ / "target.cfg" : fs::path(path_);
    std::ofstream(file) << "1";
    if (c.viaLink) {
        fs::create_symlink(file, path_);
    }
    fs::permissions(file, c.fileMode);
    fs::permissions(dir_, c.dirMode);
    bool result = false;
    {
        WithoutPermissionOverride asAUser;
        result = WriteSettings(Sample(), path_.c_str());
    }
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(result, c.written);
    InitSettings read;
    ReadSettings(read, path_.c_str());
    EXPECT_EQ(read.portNumber, c.written ? 3 : 1);
    EXPECT_EQ(fs::is_symlink(path_), c.viaLink);
    EXPECT_EQ(fs::status(file).permissions(), c.fileMode);
    EXPECT_EQ(EntriesInDir(), c.viaLink ? 2 : 1);
}

constexpr fs::perms kReadWrite = fs::perms::owner_read | fs::perms::owner_write;
constexpr fs::perms kReadOnly = fs::perms::owner_read;
constexpr fs::perms kOpenDir = fs::perms::owner_all;
constexpr fs::perms kClosedDir = fs::perms::owner_read | fs::perms::owner_exec;

INSTANTIATE_TEST_SUITE_P(
    Places, SettingsFilePlaceTest,
    testing::Values(PlaceCase{"writeProtectedFile", kReadOnly, kOpenDir, false, false},
                    PlaceCase{"writableFileInReadOnlyFolder", kReadWrite, kClosedDir, false, true},
                    PlaceCase{"symbolicLink", kReadWrite, kOpenDir, true, true},
                    PlaceCase{"linkToWriteProtectedFile", kReadOnly, kOpenDir, true, false}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return info.param.name; });

TEST_F(SettingsFileTest, LongerAndShorterContentReplacesTheOldWhole) {
    for (const char* lat : {"1.25", "24.123456789012345678901234567890", "2"}) {
        InitSettings s = Sample();
        s.lat = lat;
        ASSERT_TRUE(WriteSettings(s, path_.c_str())) << lat;
        InitSettings read;
        EXPECT_EQ(ReadSettings(read, path_.c_str()), InitSettings::kFieldCount) << lat;
        ExpectSame(read, s);
        EXPECT_EQ(FileContent().back(), '8') << lat;  // the channel count ends the file
    }
}

TEST_F(SettingsFileTest, UnwritablePlaceIsReportedToTheCaller) {
    const std::string nowhere = (dir_ / "missing" / "pelzo.cfg").string();
    EXPECT_FALSE(WriteSettings(Sample(), nowhere.c_str()));
    EXPECT_FALSE(fs::exists(nowhere));
}

}  // namespace
