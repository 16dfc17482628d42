#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "platform/safe_rename.h"
#include "tasks/activity.h"
#include "tasks/renaming.h"
#include "test_support.h"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

TEST(TextAfterLast, TakesTheTextBehindTheLastSeparatorAndItsBlank) {
    const struct {
        std::string source, expected;
    } cases[] = {
        {"JPEG image; jpg", "jpg"},
        {"a; b; jpg", "jpg"},
        {"x;y; jpg", "jpg"},
        {"ab", ""},       // no separator after the first character: from the third on
        {"abcdef", "cdef"},
        {";; x", "x"},
        {"type; ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TextAfterLast(c.source, ';'), c.expected) << c.source;
}

class RenamingTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::LoadSmallTable();
        TheFileList().Open();
        g_busy = 0;
        g_autoRenaming = 0;
    }
    int32_t AddRow(const std::string& name, const std::string& expectType = "") {
        const int32_t row = TheFileList().AppendRow(dir.Folder(), name, STATUS_UNKNOWN);
        TheFileList().SetText(row, kColumnExpectType, expectType);
        return row;
    }
    TempDir dir;
};

TEST_F(RenamingTest, ProposesTheBaseNameWithTheExpectedExtension) {
    const struct {
        std::string name, expectType, proposal;
    } cases[] = {
        {"photo.gif", "JPEG image; jpg", "photo.jpg"},
        {"README", "JPEG image; jpg", "README.jpg"},
        {"archive.tar.gz", "JPEG image; jpg", "archive.tar.jpg"},
        {"photo.gif", "", "photo.gif"},
        {".bashrc", "Shell script; sh", ".bashrc.sh"},
        {"x.bin", std::string(70, 'T'), "x." + std::string(61, 'T')},  // only 63 characters are read
    };
    for (const auto& c : cases) {
        const int32_t row = AddRow(c.name, c.expectType);
        const NameProposal proposal = ProposeName(row);
        EXPECT_EQ(proposal.currentName, c.name);
        EXPECT_EQ(proposal.proposedName, c.proposal) << c.name;
    }
}

TEST_F(RenamingTest, RenameRowUpdatesTheRowAndChecksItAgain) {
    WriteFile(dir / "photo.gif", testsupport::kPngBytes);
    const int32_t row = AddRow("photo.gif", "PNG image; png");
    TheFileList().SetImage(row, STATUS_MISMATCH);
    EXPECT_EQ(RenameRow(row, "photo.gif", "photo.png"), std::nullopt);
    EXPECT_EQ(TheFileList().GetText(row, kColumnFileName), "photo.png");
    EXPECT_EQ(TheFileList().GetText(row, kColumnExpectType), "");
    EXPECT_EQ(TheFileList().GetImage(row), STATUS_MATCH);
    EXPECT_EQ(ReadFile(dir / "photo.png"), testsupport::kPngBytes);
}

TEST_F(RenamingTest, AFailedRenameKeepsTheRowAndNamesTheReason) {
    WriteFile(dir / "photo.gif", "first");
    WriteFile(dir / "photo.png", "second");
    const int32_t row = AddRow("photo.gif", "PNG image; png");
    TheFileList().SetImage(row, STATUS_MISMATCH);
    const auto failure = RenameRow(row, "photo.gif", "photo.png");
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

TEST_F(RenamingTest, AutoRenameRenamesSelectedRowsAndReportsFailuresAtTheEnd) {
    WriteFile(dir / "a.gif", testsupport::kPngBytes);           // renamed
    WriteFile(dir / "b.txt", "plain");                          // no proposal: renamed onto itself
    WriteFile(dir / "c.gif", testsupport::kPngBytes);           // target taken
    WriteFile(dir / "c.png", "occupied");
    WriteFile(dir / "d.gif", testsupport::kPngBytes);           // not selected
    const int32_t a = AddRow("a.gif", "PNG image; png");
    const int32_t b = AddRow("b.txt");
    const int32_t c = AddRow("c.gif", "PNG image; png");
    const int32_t d = AddRow("d.gif", "PNG image; png");
    for (int32_t row : {a, b, c}) TheFileList().SetSelected(row, true);

    std::vector<RenameFailure> reported;
    std::atomic<bool> finished{false};
    ASSERT_TRUE(StartAutoRename([&](std::vector<RenameFailure> failures) {
        reported = std::move(failures);
        finished = true;
    }));
    // A second Auto Rename while the first runs does nothing.
    if (!finished) EXPECT_FALSE(StartAutoRename(nullptr));
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
    EXPECT_EQ(g_autoRenaming, 0);
}

TEST_F(RenamingTest, NothingStartsWhileTheListIsBusy) {
    g_busy = 1;
    EXPECT_FALSE(StartAutoRename(nullptr));
    EXPECT_FALSE(ListChangesAllowed());
    g_busy = 0;
    g_autoRenaming = 1;
    EXPECT_FALSE(ListChangesAllowed());
    EXPECT_FALSE(DropsAccepted());
    EXPECT_EQ(RequestCheckRun(), CheckCommand::Ignored);
    g_autoRenaming = 0;
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
    ::mkdir((dir / "sub").c_str(), 0755);
    const struct {
        std::string from, to;
    } cases[] = {
        {"plain.gif", "plain.png"},
        {"photo.JPG", "photo.jpg"},            // a change of case only
        {"same.txt", "same.txt"},              // onto its own path
        {"move.txt", "sub/moved.txt"},         // a name holding a separator
        {"caf\xE9.gif", "caf\xE9\xFF.png"},    // bytes that are not UTF-8
    };
    for (const auto& c : cases) {
        WriteFile(dir / c.from, "content of " + c.from);
        const RenameOutcome outcome = RenameNoReplace(dir / c.from, dir / c.to);
        EXPECT_TRUE(outcome.ok) << c.from << ": " << outcome.reason;
        EXPECT_EQ(ReadFile(dir / c.to), "content of " + c.from);
        if (c.from != c.to) {
            EXPECT_NE(::access((dir / c.from).c_str(), F_OK), 0) << c.from;
        }
    }
}

TEST(RenameNoReplace, ReportsWhatTheSystemRefuses) {
    TempDir dir;
    ::mkdir((dir / "locked").c_str(), 0755);
    WriteFile(dir / "locked/a.gif", "x");
    ::chmod((dir / "locked").c_str(), 0555);
    const RenameOutcome readOnly = RenameNoReplace(dir / "locked/a.gif", dir / "locked/a.png");
    ::chmod((dir / "locked").c_str(), 0755);
    if (::geteuid() != 0) {  // root may write anywhere
        EXPECT_FALSE(readOnly.ok);
        EXPECT_EQ(readOnly.error, EACCES);
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
