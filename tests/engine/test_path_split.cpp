// Both systems' path rules, checked on every build.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/path_split.h"
#include "platform/path_split_internal.h"

namespace {

struct SplitCase {
    std::string path;
    PathParts parts;
};

struct SplitRules {
    const char* name;
    PathParts (*split)(std::string_view);
    std::vector<SplitCase> cases;
};

void PrintTo(const SplitRules& rules, std::ostream* os) { *os << rules.name; }

class SplitPathRules : public ::testing::TestWithParam<SplitRules> {};

TEST_P(SplitPathRules, SplitsIntoPartsThatJoinBackToThePath) {
    for (const SplitCase& c : GetParam().cases) {
        const PathParts parts = GetParam().split(c.path);
        EXPECT_EQ(parts.drive, c.parts.drive) << c.path;
        EXPECT_EQ(parts.directory, c.parts.directory) << c.path;
        EXPECT_EQ(parts.baseName, c.parts.baseName) << c.path;
        EXPECT_EQ(parts.extension, c.parts.extension) << c.path;
        EXPECT_EQ(LocationOf(parts) + FileNameOf(parts), c.path);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Systems, SplitPathRules,
    ::testing::Values(SplitRules{"Posix",
                                 &SplitPathPosix,
                                 {
                                     {"/data/report.doc", {"", "/data/", "report", ".doc"}},
                                     {"/boot.ini", {"", "/", "boot", ".ini"}},
                                     {"/data/archive.tar.gz", {"", "/data/", "archive.tar", ".gz"}},
                                     {"/data/README", {"", "/data/", "README", ""}},
                                     {"/home/me/.profile", {"", "/home/me/", ".profile", ""}},
                                     {"/home/me/.config.bak", {"", "/home/me/", ".config", ".bak"}},
                                     {"/a.b/file", {"", "/a.b/", "file", ""}},
                                     {"name.", {"", "", "name", "."}},
                                     {"C:\\x.txt", {"", "", "C:\\x", ".txt"}},
                                     {"/data/caf\xE9.jpg", {"", "/data/", "caf\xE9", ".jpg"}},
                                     {"", {"", "", "", ""}},
                                 }},
                      SplitRules{"Windows",
                                 &SplitPathWindows,
                                 {
                                     {"C:\\Data\\report.doc", {"C:", "\\Data\\", "report", ".doc"}},
                                     {"C:\\boot.ini", {"C:", "\\", "boot", ".ini"}},
                                     {"C:\\Data\\archive.tar.gz", {"C:", "\\Data\\", "archive.tar", ".gz"}},
                                     {"C:\\Data\\Photos", {"C:", "\\Data\\", "Photos", ""}},
                                     {"D:relative.txt", {"D:", "", "relative", ".txt"}},
                                     {"\\\\server\\share\\a.b", {"", "\\\\server\\share\\", "a", ".b"}},
                                     {"C:/mixed\\sep/x.y", {"C:", "/mixed\\sep/", "x", ".y"}},
                                     {".hidden", {"", "", "", ".hidden"}},
                                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// The guard that keeps a rename in its folder.
TEST(IsSingleName, RefusesWhatWouldLeaveTheFolderByEachSystemsRules) {
    const struct {
        std::string name;
        bool posix;
        bool windows;
    } cases[] = {
        {"photo.png", true, true},     {".hidden", true, true},       {"...", true, true},
        {"caf\xE9", true, true},       {"", false, false},            {".", false, false},
        {"..", false, false},          {"a/b", false, false},         {std::string("a\0b", 3), false, false},
        {"a\\b", true, false},         {"C:x", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSingleNamePosix(c.name), c.posix) << testing::PrintToString(c.name);
        EXPECT_EQ(IsSingleNameWindows(c.name), c.windows) << testing::PrintToString(c.name);
    }
}

}  // namespace
