#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/path_intake.h"

namespace {

struct IntakeCase {
    const char* name;
    bool isUriList;  // else a command-line argument
    std::string input;
    std::vector<std::string> expected;
};

void PrintTo(const IntakeCase& c, std::ostream* os) { *os << c.name; }

class PathIntake : public ::testing::TestWithParam<IntakeCase> {};

TEST_P(PathIntake, GivesTheBytesADropWouldGive) {
    const IntakeCase& c = GetParam();
    if (c.isUriList) {
        EXPECT_EQ(PathsFromUriList(c.input), c.expected);
    } else {
        ASSERT_EQ(c.expected.size(), 1u);
        EXPECT_EQ(AbsolutePath(c.input), c.expected[0]);
    }
}

const std::string kCurrent = [] {
    const std::u8string current = std::filesystem::current_path().u8string();
    return std::string(current.begin(), current.end());
}();

INSTANTIATE_TEST_SUITE_P(
    Cases, PathIntake,
    ::testing::Values(
        IntakeCase{"UriListWithComment", true, "# copied\r\nfile:///data/a%20b.png\r\nfile:///data/Photos/\r\n",
                   {"/data/a b.png", "/data/Photos"}},
        IntakeCase{"UriListWithoutFinalLineEnd", true, "file:///x\r\nfile:///y", {"/x", "/y"}},
        IntakeCase{"GnomeCopiedFiles", true, "copy\nfile:///data/caf%E9.jpg\nfile:///data/%25.txt",
                   {"/data/caf\xE9.jpg", "/data/%.txt"}},
        IntakeCase{"GnomeCutFilesAreOnlyAdded", true, "cut\nfile:///data/a", {"/data/a"}},
        IntakeCase{"LocalhostIsThisMachine", true, "FILE://LocalHost/data/a\r\n", {"/data/a"}},
        IntakeCase{"OtherHostsAndSchemesAreSkipped", true,
                   "file://server/data/a\r\nhttp://example.com/a\r\nfile:relative\r\nfile:///data/%00\r\n", {}},
        IntakeCase{"BrokenEscapeStaysAsWritten", true, "file:///data/100%/x%4", {"/data/100%/x%4"}},
#ifdef _WIN32
        // Windows resolves an argument itself: "." and ".." go, '/' becomes '\\'.
        IntakeCase{"AbsoluteArgumentLosesExtraSeparators", false, "C:/data/./Photos\\\\", {"C:\\data\\Photos"}},
        IntakeCase{"RelativeArgumentJoinsTheCurrentFolder", false, ".\\sub/caf\xC3\xA9.jpg",
                   {kCurrent + "\\sub\\caf\xC3\xA9.jpg"}},
        IntakeCase{"ParentIsTheFolderAbove", false, "C:\\data\\Photos\\..\\x", {"C:\\data\\x"}},
        IntakeCase{"DriveRoot", false, "C:\\", {"C:\\"}}),
#else
        IntakeCase{"AbsoluteArgumentLosesExtraSeparators", false, "//data/./Photos//", {"/data/Photos"}},
        IntakeCase{"RelativeArgumentJoinsTheCurrentFolder", false, "./sub/caf\xE9.jpg",
                   {kCurrent + "/sub/caf\xE9.jpg"}},
        IntakeCase{"ParentStaysBecauseOfLinks", false, "../x", {kCurrent + "/../x"}},
        IntakeCase{"Root", false, "/", {"/"}}),
#endif
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
