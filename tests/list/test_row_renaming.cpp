#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <set>

#include "list/check_run.h"
#include "engine/journal_reader.h"
#include "list/row_renaming.h"
#include "list/status_texts.h"
#include "tests/list/list_fixture.h"

using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

class RowRenamingTest : public ListTest {
protected:
    // A row as a check leaves it: mis-named as the entry `expected` says, or not checked.
    int32_t AddRow(const std::string& name, int32_t expected = -1) {
        const int32_t row = List().AppendRow(dir.Folder(), name, STATUS_UNKNOWN);
        if (expected >= 0) List().SetVerdict(row, {STATUS_MISMATCH, expected});
        return row;
    }
    static constexpr int32_t kPng = 0;
    static constexpr int32_t kJpeg = 1;
    RenameRun run{dir / "renames.log"};
};

TEST_F(RowRenamingTest, ProposesTheBaseNameWithTheExpectedExtension) {
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
        const NameProposal proposal = ProposeName(state, row);
        EXPECT_EQ(proposal.currentName, c.name);
        EXPECT_EQ(proposal.proposedName, c.proposal) << c.name;
    }
}

TEST_F(RowRenamingTest, RenameRowUpdatesTheRowAndChecksItAgain) {
    WriteFile(dir / "photo.gif", testsupport::kPngBytes);
    const int32_t row = AddRow("photo.gif", kPng);
    EXPECT_EQ(RenameRow(state, row, "photo.gif", "photo.png", run), std::nullopt);
    EXPECT_EQ(List().GetText(row, kColumnFileName), "photo.png");
    EXPECT_EQ(state.CellText(row, kColumnExpectType), "");
    EXPECT_EQ(List().VerdictOf(row).status, STATUS_MATCH);
    EXPECT_EQ(ReadFile(dir / "photo.png"), testsupport::kPngBytes);
}

TEST_F(RowRenamingTest, AFailedRenameKeepsTheRowAndNamesTheReason) {
    WriteFile(dir / "photo.gif", "first");
    WriteFile(dir / "photo.png", "second");
    const int32_t row = AddRow("photo.gif", kPng);
    const auto failure = RenameRow(state, row, "photo.gif", "photo.png", run);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->oldPath, dir / "photo.gif");
    EXPECT_EQ(failure->newPath, dir / "photo.png");
    EXPECT_FALSE(failure->reason.empty());
    EXPECT_EQ(List().GetText(row, kColumnFileName), "photo.gif");
    EXPECT_EQ(state.CellText(row, kColumnExpectType), "PNG image; png");
    EXPECT_EQ(List().VerdictOf(row).status, STATUS_MISMATCH);
    EXPECT_EQ(ReadFile(dir / "photo.gif"), "first");
    EXPECT_EQ(ReadFile(dir / "photo.png"), "second");
    EXPECT_NE(RenameFailureReport({*failure}).find(dir / "photo.gif"), std::string::npos);
}

TEST_F(RowRenamingTest, AutoRenameRenamesSelectedRowsAndReportsFailuresAtTheEnd) {
    WriteFile(dir / "a.gif", testsupport::kPngBytes);           // renamed
    WriteFile(dir / "b.txt", "plain");                          // no proposal: left alone
    WriteFile(dir / "c.gif", testsupport::kPngBytes);           // target taken
    WriteFile(dir / "c.png", "occupied");
    WriteFile(dir / "d.gif", testsupport::kPngBytes);           // not selected
    const int32_t a = AddRow("a.gif", kPng);
    const int32_t b = AddRow("b.txt");
    const int32_t c = AddRow("c.gif", kPng);
    const int32_t d = AddRow("d.gif", kPng);
    const int32_t e = AddRow("gone.txt");                       // no proposal, file missing: reported why
    for (int32_t row : {a, b, c, e}) List().SetSelected(row, true);

    std::vector<RenameFailure> reported;
    std::atomic<bool> finished{false};
    ASSERT_TRUE(StartAutoRename(state, [&](RenameRunReport report) {
        reported = std::move(report.failures);
        finished = true;
    }));
    // A second Auto Rename while the first runs does nothing.
    if (!finished) {
        EXPECT_FALSE(StartAutoRename(state, nullptr));
    }
    ASSERT_TRUE(testsupport::WaitFor([&] { return finished.load(); }));

    EXPECT_EQ(List().GetText(a, kColumnFileName), "a.png");
    EXPECT_EQ(List().VerdictOf(a).status, STATUS_MATCH);
    EXPECT_EQ(List().GetText(b, kColumnFileName), "b.txt");
    EXPECT_EQ(ReadFile(dir / "b.txt"), "plain");
    EXPECT_EQ(List().GetText(c, kColumnFileName), "c.gif");
    EXPECT_EQ(ReadFile(dir / "c.png"), "occupied");
    EXPECT_EQ(List().GetText(d, kColumnFileName), "d.gif");
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0].oldPath, dir / "c.gif");
    EXPECT_EQ(reported[1].oldPath, dir / "gone.txt");
    EXPECT_EQ(reported[1].newPath, "");
    EXPECT_EQ(reported[1].reason, kNoProposalMissing);
    EXPECT_EQ(List().GetText(e, kColumnFileName), "gone.txt");
    EXPECT_EQ(List().StatusText(), "Renamed 1 file, 2 not renamed");
    EXPECT_TRUE(Idle());
}

// Select Mismatches and Auto Rename twice make two runs; Undo takes back the
// newer, Undo again the older, never the undo just made; then nothing is left.
TEST_F(RowRenamingTest, UndoWalksBackOneRunAtATime) {
    state.SetJournalPath(dir / "renames.log");
    WriteFile(dir / "a.gif", testsupport::kPngBytes);
    WriteFile(dir / "b.gif", testsupport::kPngBytes);
    const int32_t a = AddRow("a.gif", kPng);
    const int32_t b = AddRow("b.gif");
    std::string notice;
    const auto runToEnd = [&](bool (*start)(ListState&, RenameRunFinished)) {
        std::atomic<bool> finished{false};
        ASSERT_TRUE(start(state, [&](RenameRunReport report) {
            notice = report.notice;
            finished = true;
        }));
        ASSERT_TRUE(testsupport::WaitFor([&] { return finished.load(); }));
    };

    EXPECT_EQ(List().SelectStatus(STATUS_MISMATCH), 1);
    runToEnd(StartAutoRename);
    List().SetVerdict(b, {STATUS_MISMATCH, kPng});
    EXPECT_EQ(List().SelectStatus(STATUS_MISMATCH), 1);
    runToEnd(StartAutoRename);
    EXPECT_EQ(state.GetUndoOffer(), (UndoOffer{"auto", 1}));
    EXPECT_EQ(UndoCommandText(state.GetUndoOffer()), "&Undo Auto Rename (1 file)");

    runToEnd(StartUndoLastRun);
    EXPECT_EQ(List().GetText(b, kColumnFileName), "b.gif");
    EXPECT_EQ(List().GetText(a, kColumnFileName), "a.png");
    EXPECT_EQ(List().StatusText(), "Took back 1 rename");
    EXPECT_EQ(state.GetUndoOffer(), (UndoOffer{"auto", 1}));

    runToEnd(StartUndoLastRun);
    EXPECT_EQ(List().GetText(a, kColumnFileName), "a.gif");
    EXPECT_EQ(ReadFile(dir / "a.gif"), testsupport::kPngBytes);
    EXPECT_EQ(ReadFile(dir / "b.gif"), testsupport::kPngBytes);
    EXPECT_EQ(state.GetUndoOffer(), std::nullopt);

    runToEnd(StartUndoLastRun);
    EXPECT_TRUE(notice.starts_with("Nothing to undo: every run in ")) << notice;
    EXPECT_TRUE(std::filesystem::exists(testsupport::PathOf(dir / "a.gif")));
    EXPECT_TRUE(std::filesystem::exists(testsupport::PathOf(dir / "b.gif")));
}

TEST_F(RowRenamingTest, NothingStartsWhileTheListIsBusy) {
    RunState& runs = Runs();
    ASSERT_TRUE(runs.TryBeginIntake());  // as while a drop is taken in
    EXPECT_FALSE(StartAutoRename(state, nullptr));
    EXPECT_FALSE(runs.ListChangesAllowed());
    runs.EndIntake();
    ASSERT_TRUE(runs.TryBeginRenaming());
    EXPECT_FALSE(runs.ListChangesAllowed());
    EXPECT_FALSE(runs.IntakeAccepted());
    EXPECT_EQ(RequestCheckRun(state), CheckCommand::Ignored);
    runs.EndRenaming();
}

// Closing the window while Auto Rename runs stops it between two files: each
// file renamed by then has its journal record, and none is renamed later.
TEST_F(RowRenamingTest, ClosingDuringAutoRenameLeavesEveryRenameJournalled) {
    constexpr int kFiles = 2000;
    auto window = std::make_unique<ListState>(testsupport::LoadedTable());
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "f" + std::to_string(i) + ".gif";
        WriteFile(dir / name, testsupport::kPngBytes);
        const int32_t row = window->Rows().AppendRow(dir.Folder(), name, STATUS_UNKNOWN);
        window->Rows().SetVerdict(row, {STATUS_MISMATCH, kPng});
    }
    window->Rows().SetAllSelected(true);
    ASSERT_TRUE(StartAutoRename(*window, nullptr));
    ASSERT_TRUE(testsupport::WaitFor([&] { return std::filesystem::exists(testsupport::PathOf(dir / "f0.png")); }));
    window.reset();

    std::set<std::string> renamed;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = testsupport::Utf8Of(entry.path().filename());
        if (name.ends_with(".png")) renamed.insert(name);
    }
    std::set<std::string> journalled;
    for (const JournalRecord& record : ReadJournalRun(DefaultJournalPath(), "").ValueOr({}).records) {
        if (record.folder == dir.Folder()) journalled.insert(record.newName);
    }
    EXPECT_FALSE(renamed.empty());
    EXPECT_EQ(renamed, journalled);
}

}  // namespace
