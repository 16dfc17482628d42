#include <gtest/gtest.h>

#include "list/file_list.h"
#include "list/shared_state.h"
#include "platform/safe_rename.h"
#include "list/check_run.h"
#include "list/run_state.h"
#include "engine/rename.h"
#include "tests/common/test_support.h"

using testsupport::PathOf;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

bool Listed(const std::filesystem::path& folder, const std::string& name) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (testsupport::Utf8Of(entry.path().filename()) == name) return true;
    }
    return false;
}

class RenamingTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::LoadSmallTable();
        TheFileList().Open();
    }
    // A row as a check leaves it: mis-named as the entry `expected` says, or not checked.
    int32_t AddRow(const std::string& name, int32_t expected = -1) {
        const int32_t row = TheFileList().AppendRow(dir.Folder(), name, STATUS_UNKNOWN);
        if (expected >= 0) TheFileList().SetVerdict(row, {STATUS_MISMATCH, expected});
        return row;
    }
    static constexpr int32_t kPng = 0;
    static constexpr int32_t kJpeg = 1;
    TempDir dir;
    RenameRun run{dir / "renames.log"};
};

TEST_F(RenamingTest, ProposesTheBaseNameWithTheExpectedExtension) {
    const struct {
        std::string name;
        int32_t expected;
        std::string proposal;
    } cases[] = {
        {"photo.gif", kJpeg, "photo.jpg"},
        {"README", kJpeg, "README.jpg"},
        {"archive.tar.gz", kJpeg, "archive.tar.jpg"},
        {"photo.gif", -1, "photo.gif"},
#ifdef _WIN32
        {".bashrc", kPng, ".png"},  // Windows takes all of it for the extension
#else
        {".bashrc", kPng, ".bashrc.png"},
#endif
    };
    for (const auto& c : cases) {
        const int32_t row = AddRow(c.name, c.expected);
        const NameProposal proposal = ProposeName(row);
        EXPECT_EQ(proposal.currentName, c.name);
        EXPECT_EQ(proposal.proposedName, c.proposal) << c.name;
    }
}

TEST_F(RenamingTest, RenameRowUpdatesTheRowAndChecksItAgain) {
    WriteFile(dir / "photo.gif", testsupport::kPngBytes);
    const int32_t row = AddRow("photo.gif", kPng);
    EXPECT_EQ(RenameRow(row, "photo.gif", "photo.png", run), std::nullopt);
    EXPECT_EQ(TheFileList().GetText(row, kColumnFileName), "photo.png");
    EXPECT_EQ(TheFileList().GetText(row, kColumnExpectType), "");
    EXPECT_EQ(TheFileList().GetImage(row), STATUS_MATCH);
    EXPECT_EQ(ReadFile(dir / "photo.png"), testsupport::kPngBytes);
}

TEST_F(RenamingTest, AFailedRenameKeepsTheRowAndNamesTheReason) {
    WriteFile(dir / "photo.gif", "first");
    WriteFile(dir / "photo.png", "second");
    const int32_t row = AddRow("photo.gif", kPng);
    const auto failure = RenameRow(row, "photo.gif", "photo.png", run);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->oldPath, dir / "photo.gif");
    EXPECT_EQ(failure->newPath, dir / "photo.png");
    EXPECT_FALSE(failure->reason.empty());
    EXPECT_EQ(TheFileList().GetText(row, kColumnFileName), "photo.gif");
    EXPECT_EQ(TheFileList().GetText(row, kColumnExpectType), "PNG image; png");
    EXPECT_EQ(TheFileList().GetImage(row), STATUS_MISMATCH);
    EXPECT_EQ(ReadFile(dir / "photo.gif"), "first");
    EXPECT_EQ(ReadFile(dir / "photo.png"), "second");
    EXPECT_NE(RenameFailureReport({*failure}).find(dir / "photo.gif"), std::string::npos);
}

// A table's extension or a typed name must never move the file elsewhere.
TEST_F(RenamingTest, ANewNameThatIsNotASingleNameTouchesNothing) {
    std::filesystem::create_directory(PathOf(dir / "in"));
    WriteFile(dir / "in/photo.gif", testsupport::kPngBytes);
    for (const std::string& newName : {std::string("photo.x/../../y"), std::string("../y"), std::string("sub/y"),
                                       std::string(""), std::string("."), std::string(".."),
                                       std::string("a\0b", 3)}) {
        const auto failure = RenameInFolder(dir / "in/", "photo.gif", newName, run);
        ASSERT_TRUE(failure.has_value()) << newName;
        EXPECT_EQ(failure->reason, "not a single file name in its folder");
    }
    EXPECT_EQ(ReadFile(dir / "in/photo.gif"), testsupport::kPngBytes);
    EXPECT_FALSE(std::filesystem::exists(PathOf(dir / "y")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf(dir / "in")), {}), 1);
}

TEST_F(RenamingTest, AutoRenameRenamesSelectedRowsAndReportsFailuresAtTheEnd) {
    WriteFile(dir / "a.gif", testsupport::kPngBytes);           // renamed
    WriteFile(dir / "b.txt", "plain");                          // no proposal: renamed onto itself
    WriteFile(dir / "c.gif", testsupport::kPngBytes);           // target taken
    WriteFile(dir / "c.png", "occupied");
    WriteFile(dir / "d.gif", testsupport::kPngBytes);           // not selected
    const int32_t a = AddRow("a.gif", kPng);
    const int32_t b = AddRow("b.txt");
    const int32_t c = AddRow("c.gif", kPng);
    const int32_t d = AddRow("d.gif", kPng);
    for (int32_t row : {a, b, c}) TheFileList().SetSelected(row, true);

    std::vector<RenameFailure> reported;
    std::atomic<bool> finished{false};
    ASSERT_TRUE(StartAutoRename([&](RenameRunReport report) {
        reported = std::move(report.failures);
        finished = true;
    }));
    // A second Auto Rename while the first runs does nothing.
    if (!finished) {
        EXPECT_FALSE(StartAutoRename(nullptr));
    }
    ASSERT_TRUE(testsupport::WaitFor([&] { return finished.load(); }));

    EXPECT_EQ(TheFileList().GetText(a, kColumnFileName), "a.png");
    EXPECT_EQ(TheFileList().GetImage(a), STATUS_MATCH);
    EXPECT_EQ(TheFileList().GetText(b, kColumnFileName), "b.txt");
    EXPECT_EQ(ReadFile(dir / "b.txt"), "plain");
    EXPECT_EQ(TheFileList().GetText(c, kColumnFileName), "c.gif");
    EXPECT_EQ(ReadFile(dir / "c.png"), "occupied");
    EXPECT_EQ(TheFileList().GetText(d, kColumnFileName), "d.gif");
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].oldPath, dir / "c.gif");
    EXPECT_FALSE(TheRunState().AutoRenaming());
}

TEST_F(RenamingTest, NothingStartsWhileTheListIsBusy) {
    RunState& runs = TheRunState();
    ASSERT_TRUE(runs.TryBeginIntake());  // as while a drop is taken in
    EXPECT_FALSE(StartAutoRename(nullptr));
    EXPECT_FALSE(runs.ListChangesAllowed());
    runs.EndIntake();
    ASSERT_TRUE(runs.TryBeginRenaming(RenameKind::Automatic));
    EXPECT_FALSE(runs.ListChangesAllowed());
    EXPECT_FALSE(runs.IntakeAccepted());
    EXPECT_EQ(RequestCheckRun(), CheckCommand::Ignored);
    runs.EndRenaming();
}

TEST(RenameNoReplace, RefusesToReplaceAnotherFile) {
    TempDir dir;
    WriteFile(dir / "a.gif", "AAAA");
    WriteFile(dir / "a.png", "BBBB");
    const RenameOutcome outcome = RenameNoReplace(dir / "a.gif", dir / "a.png");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, EEXIST);
    EXPECT_EQ(ReadFile(dir / "a.gif"), "AAAA");
    EXPECT_EQ(ReadFile(dir / "a.png"), "BBBB");
}

TEST(RenameNoReplace, HandlesTheOrdinaryAndTheOddNames) {
    TempDir dir;
    std::filesystem::create_directory(PathOf(dir / "sub"));
    const struct {
        std::string from, to;
    } cases[] = {
        {"plain.gif", "plain.png"},
        {"photo.JPG", "photo.jpg"},            // a change of case only
        {"same.txt", "same.txt"},              // onto its own path
        {"move.txt", "sub/moved.txt"},         // a name holding a separator
#ifdef _WIN32
        {"caf\xC3\xA9.gif", "\xE5\xA0\xB1\xF0\x9F\x98\x80.png"},  // beyond the ANSI code page
#else
        {"caf\xE9.gif", "caf\xE9\xFF.png"},    // bytes that are not UTF-8
#endif
    };
    for (const auto& c : cases) {
        WriteFile(dir / c.from, "content of " + c.from);
        const RenameOutcome outcome = RenameNoReplace(dir / c.from, dir / c.to);
        EXPECT_TRUE(outcome.ok) << c.from << ": " << outcome.reason;
        EXPECT_EQ(ReadFile(dir / c.to), "content of " + c.from);
        if (c.from != c.to) {
            // Listed, not looked up: a case-blind lookup finds the new name under the old.
            EXPECT_FALSE(Listed(dir.Path(), c.from)) << c.from;
        }
    }
}

TEST(RenameNoReplace, ReportsWhatTheSystemRefuses) {
    TempDir dir;
    std::filesystem::create_directory(PathOf(dir / "locked"));
    WriteFile(dir / "locked/a.gif", "x");
    RenameOutcome readOnly;
    {
        const testsystem::Denied denied(testsystem::Denial::RenameFile, dir / "locked/a.gif");
        readOnly = RenameNoReplace(dir / "locked/a.gif", dir / "locked/a.png");
    }
    if (testsystem::DenialsApply()) {  // root may write anywhere
        EXPECT_FALSE(readOnly.ok);
        EXPECT_EQ(readOnly.error, EACCES);
        EXPECT_FALSE(readOnly.reason.empty());
        EXPECT_EQ(ReadFile(dir / "locked/a.gif"), "x");
    }
    const RenameOutcome missing = RenameNoReplace(dir / "missing.gif", dir / "missing.png");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_FALSE(missing.reason.empty());
    WriteFile(dir / "b.gif", "x");
    const RenameOutcome intoMissingFolder = RenameNoReplace(dir / "b.gif", dir / "nowhere/b.png");
    EXPECT_FALSE(intoMissingFolder.ok);
    EXPECT_EQ(ReadFile(dir / "b.gif"), "x");
}

}  // namespace
