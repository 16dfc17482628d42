#include <gtest/gtest.h>

#include "list/file_list.h"
#include "list/shared_state.h"
#include "list/status_texts.h"
#include "list/check_run.h"
#include "list/drop_intake.h"
#include "engine/rename.h"
#include "list/run_state.h"
#include "tests/common/test_support.h"

using testsupport::TempDir;
using testsupport::WaitFor;
using testsupport::WriteFile;

namespace {

// The list of a window that is open, with the counters of a fresh start.
class TasksTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::LoadSmallTable();
        TheFileList().Open();
        g_totalFiles = g_checkedFiles = 0;
    }
    void TearDown() override { ASSERT_TRUE(WaitFor([] { return !Runs().CheckRunning(); })); }

    static void RunCheckToTheEnd() {
        ASSERT_EQ(RequestCheckRun(), CheckCommand::Started);
        ASSERT_TRUE(WaitFor([] { return !Runs().CheckRunning(); }));
    }
    static RunState& Runs() { return TheRunState(); }
    static bool Idle() { return Runs().ListChangesAllowed() && Runs().IntakeAccepted(); }
    static FileList& List() { return TheFileList(); }
    TempDir dir;
};

TEST_F(TasksTest, DropAppendsRowsInDropOrder) {
    DropWorker({"/old/one", "/old/two"});
    DropWorker({"/data/report.doc", "/boot.ini", "/data/archive.tar.gz", "/data/README", "/data/Photos",
                "/data/report.doc"});
    ASSERT_EQ(List().RowCount(), 8);
    const std::pair<const char*, const char*> expected[] = {
        {"/data/", "report.doc"}, {"/", "boot.ini"},    {"/data/", "archive.tar.gz"},
        {"/data/", "README"},     {"/data/", "Photos"}, {"/data/", "report.doc"},
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(List().GetText(2 + i, kColumnLocation), expected[i].first);
        EXPECT_EQ(List().GetText(2 + i, kColumnFileName), expected[i].second);
        EXPECT_EQ(List().GetText(2 + i, kColumnExpectType), "");
        EXPECT_EQ(List().GetImage(2 + i), STATUS_UNKNOWN);
    }
    EXPECT_EQ(g_totalFiles, 8);
    EXPECT_EQ(List().StatusText(), "All File : 8");
    EXPECT_TRUE(Idle());
}

TEST_F(TasksTest, DroppedPathsAreKeptWhole) {
    const std::string longPath = "/" + std::string(300, 'd') + "/" + std::string(250, 'n') + ".jpg";
    DropWorker({longPath});
    EXPECT_EQ(List().PathOf(0), longPath);
}

TEST_F(TasksTest, CheckJudgesEveryKindOfRow) {
    WriteFile(dir / "right.png", testsupport::kPngBytes);
    WriteFile(dir / "wrong.gif", testsupport::kPngBytes);
    WriteFile(dir / "UPPER.PNG", testsupport::kPngBytes);
    WriteFile(dir / "text.txt", "hello");
    WriteFile(dir / "empty.jpg", "");
    std::filesystem::create_directory(testsupport::PathOf(dir / "folder"));
    std::filesystem::create_directory(testsupport::PathOf(dir / ".hidden"));
    testsystem::MarkHidden(dir / ".hidden");
    const testsystem::Fifo fifo(dir / "pipe.png");
    ASSERT_TRUE(fifo.Made());
    DropWorker({dir / "right.png", dir / "wrong.gif", dir / "UPPER.PNG", dir / "text.txt", dir / "empty.jpg",
                dir / "folder", dir / ".hidden", fifo.Path(), dir / "gone.png"});
    List().SetImage(8, STATUS_MATCH);  // a file deleted since its last check keeps its image

    RunCheckToTheEnd();
    const int32_t expected[] = {STATUS_MATCH,  STATUS_MISMATCH, STATUS_MATCH,   STATUS_UNKNOWN, STATUS_UNKNOWN,
                                STATUS_FOLDER, STATUS_UNKNOWN,  STATUS_UNKNOWN, STATUS_MATCH};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(List().GetImage(i), expected[i]) << List().GetText(i, kColumnFileName);
    EXPECT_EQ(List().GetText(1, kColumnExpectType), "PNG image; png");
    EXPECT_EQ(List().GetText(0, kColumnExpectType), "");
    // Opened and matched: the five regular files, the empty one included.
    EXPECT_EQ(List().StatusText(), "All File : 9  CheckFile : 5");
    EXPECT_TRUE(Idle());
}

TEST_F(TasksTest, AnUnreadableFileIsUnknownAndNotCounted) {
    if (!testsystem::DenialsApply()) GTEST_SKIP() << "root reads every file";
    WriteFile(dir / "locked.gif", testsupport::kPngBytes);
    const testsystem::Denied denied(testsystem::Denial::ReadFile, dir / "locked.gif");
    DropWorker({dir / "locked.gif"});
    RunCheckToTheEnd();
    EXPECT_EQ(List().GetImage(0), STATUS_UNKNOWN);
    EXPECT_EQ(List().StatusText(), "All File : 1  CheckFile : 0");
}

TEST_F(TasksTest, AnEmptyListEndsAtOnce) {
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 0  CheckFile : 0");
    EXPECT_TRUE(Idle());
}

TEST_F(TasksTest, ASecondRunStartsAgainFromTheFirstRow) {
    WriteFile(dir / "a.png", testsupport::kPngBytes);
    DropWorker({dir / "a.png", dir / "a.png"});
    RunCheckToTheEnd();
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 2  CheckFile : 2");
}

class BusyTasksTest : public TasksTest {
protected:
    // Enough rows that a run is still going a moment after it started.
    void DropManyFiles(int count) {
        WriteFile(dir / "a.png", testsupport::kPngBytes);
        DropWorker(std::vector<std::string>(count, dir / "a.png"));
    }
};

TEST_F(BusyTasksTest, ADropDuringARunKeepsItBusyAndItsRowsAreChecked) {
    DropManyFiles(20000);
    ASSERT_EQ(RequestCheckRun(), CheckCommand::Started);
    WriteFile(dir / "late.gif", testsupport::kPngBytes);
    DropWorker({dir / "late.gif"});
    if (Runs().CheckRunning()) {
        EXPECT_FALSE(Runs().ListChangesAllowed());
        EXPECT_EQ(RequestCheckRun(), CheckCommand::AskToStop);
    }
    ASSERT_TRUE(WaitFor([] { return !Runs().CheckRunning(); }));
    EXPECT_EQ(List().GetImage(20000), STATUS_MISMATCH);
    EXPECT_EQ(List().StatusText(), "All File : 20001  CheckFile : 20001");
    EXPECT_TRUE(Idle());
}

TEST_F(BusyTasksTest, AConfirmedStopEndsTheRunAfterTheRowUnderWay) {
    DropManyFiles(20000);
    ASSERT_EQ(RequestCheckRun(), CheckCommand::Started);
    ConfirmCheckStop();
    EXPECT_TRUE(List().StatusText().rfind("Check Aborted.  All File : 20000  CheckFile : ", 0) == 0);
    ASSERT_TRUE(WaitFor([] { return !Runs().CheckRunning(); }));
    const int32_t checked = g_checkedFiles;
    EXPECT_LT(checked, 20000);
    EXPECT_EQ(List().StatusText(), CheckSummaryText(20000, checked));
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 20000  CheckFile : 20000");
}

// Until a stopping worker has ended, nothing else may work on the rows: no
// second check, no renaming of either kind, no New.
TEST(RunStateTest, AStoppedRunHoldsTheRowsUntilItsWorkerEnds) {
    RunState runs;
    ASSERT_EQ(runs.RequestCheck(), CheckCommand::Started);
    EXPECT_TRUE(runs.ConfirmStop());
    EXPECT_EQ(runs.RequestCheck(), CheckCommand::Ignored);
    EXPECT_FALSE(runs.TryBeginRenaming(RenameKind::Dialog));
    EXPECT_FALSE(runs.TryBeginRenaming(RenameKind::Automatic));
    EXPECT_FALSE(runs.ListChangesAllowed());
    EXPECT_TRUE(runs.IntakeAccepted());
    runs.EndCheck();
    EXPECT_TRUE(runs.ListChangesAllowed());
    EXPECT_EQ(runs.RequestCheck(), CheckCommand::Started);
    EXPECT_FALSE(runs.StopRequested());
}

TEST_F(BusyTasksTest, ARenamingNeverOverlapsAStoppingWorker) {
    DropManyFiles(20000);
    ASSERT_EQ(RequestCheckRun(), CheckCommand::Started);
    ConfirmCheckStop();
    for (;;) {
        if (Runs().TryBeginRenaming(RenameKind::Dialog)) {
            EXPECT_FALSE(Runs().CheckRunning());
            Runs().EndRenaming();
            break;
        }
    }
    EXPECT_EQ(RequestCheckRun(), CheckCommand::Started);
    ASSERT_TRUE(WaitFor([] { return !Runs().CheckRunning(); }));
    EXPECT_EQ(List().StatusText(), "All File : 20000  CheckFile : 20000");
}

TEST_F(BusyTasksTest, AStopWithNoRunLeftIsRememberedUntilTheNextStart) {
    ConfirmCheckStop();
    EXPECT_EQ(List().StatusText(), "Check Aborted.  All File : 0  CheckFile : 0");
    EXPECT_TRUE(Runs().StopRequested());
    DropManyFiles(3);
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 3  CheckFile : 3");
}

TEST_F(TasksTest, WorkersDoNothingOnceTheWindowIsGone) {
    WriteFile(dir / "a.png", testsupport::kPngBytes);
    DropWorker({dir / "a.png"});
    List().Close();
    DropWorker({dir / "b.png"});
    CheckItem(0);
    SetStatusText("after");
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(List().StatusText(), "All File : 1");
}

}  // namespace

namespace {

TEST_F(TasksTest, ADropIsBusyFromTheMomentItIsHandedOver) {
    ASSERT_TRUE(StartDropIntake({"/data/a.png", "/data/b.png"}));
    // Whatever the worker has done so far, nothing may change the list under it.
    const bool busyAtOnce = !Runs().ListChangesAllowed() || g_totalFiles == 2;
    EXPECT_TRUE(busyAtOnce);
    ASSERT_TRUE(WaitFor([] { return g_totalFiles == 2 && Idle(); }));
    EXPECT_EQ(List().StatusText(), "All File : 2");
}

}  // namespace
