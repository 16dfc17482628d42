#include <gtest/gtest.h>

#include "list/check_run.h"
#include "list/drop_intake.h"
#include "list/status_texts.h"
#include "tests/list/list_fixture.h"

using testsupport::WaitFor;
using testsupport::WriteFile;

namespace {

class CheckRunTest : public ListTest {
protected:
    void RunCheckToTheEnd() {
        ASSERT_EQ(RequestCheckRun(state), CheckCommand::Started);
        ASSERT_TRUE(WaitFor([this] { return !Runs().CheckRunning(); }));
    }
};

TEST_F(CheckRunTest, CheckJudgesEveryKindOfRow) {
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
    DropWorker(state, {dir / "right.png", dir / "wrong.gif", dir / "UPPER.PNG", dir / "text.txt", dir / "empty.jpg",
                dir / "folder", dir / ".hidden", fifo.Path(), dir / "gone.png"});
    List().SetImage(8, STATUS_MATCH);  // a file deleted since its last check keeps its image

    RunCheckToTheEnd();
    const int32_t expected[] = {STATUS_MATCH,  STATUS_MISMATCH, STATUS_MATCH,   STATUS_UNKNOWN, STATUS_UNKNOWN,
                                STATUS_FOLDER, STATUS_UNKNOWN,  STATUS_UNKNOWN, STATUS_MATCH};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(List().VerdictOf(i).status, expected[i]) << List().GetText(i, kColumnFileName);
    EXPECT_EQ(state.CellText(1, kColumnExpectType), "PNG image; png");
    EXPECT_EQ(state.CellText(0, kColumnExpectType), "");
    // Opened and matched: the five regular files, the empty one included.
    EXPECT_EQ(List().StatusText(), "All File : 9  CheckFile : 5");
    EXPECT_TRUE(Idle());
}

TEST_F(CheckRunTest, AnUnreadableFileIsUnknownAndNotCounted) {
    if (!testsystem::DenialsApply()) GTEST_SKIP() << "root reads every file";
    WriteFile(dir / "locked.gif", testsupport::kPngBytes);
    const testsystem::Denied denied(testsystem::Denial::ReadFile, dir / "locked.gif");
    DropWorker(state, {dir / "locked.gif"});
    RunCheckToTheEnd();
    EXPECT_EQ(List().VerdictOf(0).status, STATUS_UNKNOWN);
    EXPECT_EQ(List().StatusText(), "All File : 1  CheckFile : 0");
}

TEST_F(CheckRunTest, AnEmptyListEndsAtOnce) {
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 0  CheckFile : 0");
    EXPECT_TRUE(Idle());
}

TEST_F(CheckRunTest, ASecondRunStartsAgainFromTheFirstRow) {
    WriteFile(dir / "a.png", testsupport::kPngBytes);
    DropWorker(state, {dir / "a.png", dir / "a.png"});
    RunCheckToTheEnd();
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 2  CheckFile : 2");
}

class BusyCheckRunTest : public CheckRunTest {
protected:
    // Enough rows that a run is still going a moment after it started.
    void DropManyFiles(int count) {
        WriteFile(dir / "a.png", testsupport::kPngBytes);
        DropWorker(state, std::vector<std::string>(count, dir / "a.png"));
    }
};

TEST_F(BusyCheckRunTest, ADropDuringARunKeepsItBusyAndItsRowsAreChecked) {
    DropManyFiles(20000);
    ASSERT_EQ(RequestCheckRun(state), CheckCommand::Started);
    WriteFile(dir / "late.gif", testsupport::kPngBytes);
    DropWorker(state, {dir / "late.gif"});
    if (Runs().CheckRunning()) {
        EXPECT_FALSE(Runs().ListChangesAllowed());
        EXPECT_EQ(RequestCheckRun(state), CheckCommand::AskToStop);
    }
    ASSERT_TRUE(WaitFor([this] { return !Runs().CheckRunning(); }));
    EXPECT_EQ(List().VerdictOf(20000).status, STATUS_MISMATCH);
    EXPECT_EQ(List().StatusText(), "All File : 20001  CheckFile : 20001");
    EXPECT_TRUE(Idle());
}

TEST_F(BusyCheckRunTest, AConfirmedStopEndsTheRunAfterTheRowUnderWay) {
    DropManyFiles(20000);
    ASSERT_EQ(RequestCheckRun(state), CheckCommand::Started);
    ConfirmCheckStop(state);
    EXPECT_TRUE(List().StatusText().rfind("Check Aborted.  All File : 20000  CheckFile : ", 0) == 0);
    ASSERT_TRUE(WaitFor([this] { return !Runs().CheckRunning(); }));
    const int32_t checked = state.CheckedFiles();
    EXPECT_LT(checked, 20000);
    EXPECT_EQ(List().StatusText(), CheckSummaryText(20000, checked));
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 20000  CheckFile : 20000");
}

TEST_F(BusyCheckRunTest, ARenamingNeverOverlapsAStoppingWorker) {
    DropManyFiles(20000);
    ASSERT_EQ(RequestCheckRun(state), CheckCommand::Started);
    ConfirmCheckStop(state);
    for (;;) {
        if (Runs().TryBeginRenaming()) {
            EXPECT_FALSE(Runs().CheckRunning());
            Runs().EndRenaming();
            break;
        }
    }
    EXPECT_EQ(RequestCheckRun(state), CheckCommand::Started);
    ASSERT_TRUE(WaitFor([this] { return !Runs().CheckRunning(); }));
    EXPECT_EQ(List().StatusText(), "All File : 20000  CheckFile : 20000");
}

TEST_F(BusyCheckRunTest, AStopWithNoRunLeftKeepsTheSummaryAndIsRememberedUntilTheNextStart) {
    // The run ended while "Stop OK?" was open: nothing was aborted.
    List().SetStatusText("All File : 0  CheckFile : 0");
    EXPECT_FALSE(ConfirmCheckStop(state));
    EXPECT_EQ(List().StatusText(), "All File : 0  CheckFile : 0");
    EXPECT_TRUE(Runs().StopRequested());
    DropManyFiles(3);
    RunCheckToTheEnd();
    EXPECT_EQ(List().StatusText(), "All File : 3  CheckFile : 3");
}

}  // namespace
