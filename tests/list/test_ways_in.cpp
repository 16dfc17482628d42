// Ways into the list besides a drop: the folder walk, the folder intake, and
// the paths the command line and the clipboard give.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "list/file_list.h"
#include "list/shared_state.h"
#include "platform/folder_walk.h"
#include "platform/path_intake.h"
#include "list/run_state.h"
#include "list/folder_intake.h"
#include "tests/common/test_support.h"

using testsupport::Native;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct Visited {
    std::vector<std::pair<std::string, bool>> entries;  // path below the root, regular file
    std::vector<std::string> unreadable;
};

#ifdef _WIN32
const std::string kAccentedName = "\xC3\xA9t\xC3\xA9.jpg";  // its lead byte sorts after every ASCII letter
#else
const std::string kAccentedName = "\xE9t\xE9.jpg";  // not UTF-8; byte 0xE9 sorts after every ASCII letter
#endif

// What keeps the tree as it was made: the pipe and the folder's denial.
struct Tree {
    std::unique_ptr<testsystem::Fifo> pipe;
    std::unique_ptr<testsystem::Denied> locked;
};

// root/ with folders, symbolic links, a pipe, a name beyond ASCII, and a
// folder nobody may list (except root, who may list anything). Windows makes
// no links without special rights, and its named pipes live outside folders.
void MakeTree(const TempDir& root, Tree& tree) {
    for (const char* folder : {"B", "B/deeper", "empty", "locked"}) {
        std::filesystem::create_directory(testsupport::PathOf(root / folder));
    }
    WriteFile(root / "a.txt", "a");
    WriteFile(root / "B/c.txt", "c");
    WriteFile(root / "B/deeper/d.txt", "d");
    WriteFile(root / "B/b.txt", "b");
    WriteFile(root / "locked/secret.txt", "s");
    WriteFile(root / kAccentedName, "x");
    WriteFile(root / "Z.txt", "z");
    if (testsystem::HasSymbolicLinks()) {
        ASSERT_TRUE(testsystem::MakeSymbolicLink("B", root / "folderlink"));
        ASSERT_TRUE(testsystem::MakeSymbolicLink("a.txt", root / "filelink"));
    }
#ifndef _WIN32
    tree.pipe = std::make_unique<testsystem::Fifo>(root / "pipe");
    ASSERT_TRUE(tree.pipe->Made());
#endif
    tree.locked = std::make_unique<testsystem::Denied>(testsystem::Denial::ListFolder, root / "locked");
}

TEST(FolderWalk, DepthFirstInByteOrderWithoutFollowingLinks) {
    TempDir root;
    Tree tree;
    MakeTree(root, tree);
    const std::string prefix = root.Folder();
    Visited seen;
    FolderWalkVisitor visitor;
    visitor.entry = [&](const FolderEntry& entry) {
        ASSERT_EQ(entry.path.rfind(prefix, 0), 0u) << entry.path;
        seen.entries.emplace_back(entry.path.substr(prefix.size()), entry.isRegularFile);
    };
    visitor.unreadable = [&](const std::string& folder, const std::string& reason) {
        EXPECT_FALSE(reason.empty());
        seen.unreadable.push_back(folder.substr(prefix.size()));
    };
    EXPECT_TRUE(WalkFolder(prefix, visitor));

    const bool rootReadsAll = !testsystem::DenialsApply();
    std::vector<std::pair<std::string, bool>> expected = {
        {Native("B/b.txt"), true}, {Native("B/c.txt"), true}, {Native("B/deeper/d.txt"), true},  // 'B' < 'Z' < 'a'
        {"Z.txt", true},           {"a.txt", true},
    };
    if (testsystem::HasSymbolicLinks()) {
        expected.push_back({"filelink", false});
        expected.push_back({"folderlink", false});
    }
    if (rootReadsAll) expected.push_back({Native("locked/secret.txt"), true});
    if (tree.pipe) expected.push_back({"pipe", false});
    expected.push_back({kAccentedName, true});
    EXPECT_EQ(seen.entries, expected);
    EXPECT_EQ(seen.unreadable, rootReadsAll ? std::vector<std::string>{} : std::vector<std::string>{"locked"});

    // A stop ends the walk at the next entry, and says so.
    std::atomic<bool> stop{false};
    int visited = 0;
    visitor.entry = [&](const FolderEntry&) { ++visited, stop = true; };
    EXPECT_FALSE(WalkFolder(prefix, visitor, &stop));
    EXPECT_EQ(visited, 1);

    // An unreadable starting folder is reported, not fatal.
    seen.unreadable.clear();
    visitor.entry = nullptr;
    EXPECT_TRUE(WalkFolder(root / "missing", visitor));
    EXPECT_EQ(seen.unreadable, std::vector<std::string>{"missing"});
}

TEST(FolderIntake, AddsARowPerRegularFileAndNamesUnreadableFolders) {
    testsupport::LoadSmallTable();
    TheFileList().Open();
    g_totalFiles = 1;  // a row already there
    TheFileList().AppendRow("/earlier/", "row", STATUS_UNKNOWN);
    TempDir root;
    Tree tree;
    MakeTree(root, tree);

    FolderIntakeWorker(root.Folder());
    const bool rootReadsAll = !testsystem::DenialsApply();
    const std::vector<std::string> expected = {
        "/earlier/row", root / "B/b.txt", root / "B/c.txt", root / "B/deeper/d.txt", root / "Z.txt", root / "a.txt"};
    const int32_t rows = TheFileList().RowCount();
    ASSERT_EQ(rows, rootReadsAll ? 8 : 7);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(TheFileList().PathOf(static_cast<int32_t>(i)), expected[i]);
    EXPECT_EQ(TheFileList().GetText(rows - 1, kColumnFileName), kAccentedName);
    EXPECT_EQ(TheFileList().StatusText(),
              rootReadsAll ? "All File : 8" : "All File : 7  (1 folder could not be read)");
    EXPECT_EQ(g_totalFiles, rows);
    EXPECT_TRUE(TheRunState().ListChangesAllowed());
    EXPECT_TRUE(TheRunState().IntakeAccepted());
}

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
