// Renaming through the main window: the selected rows by double click, Auto Rename and Undo with their report.
#include <chrono>
#include <string>
#include <thread>

#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include "gui_test_support.h"
#include "list/file_list.h"
#include "list/run_state.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"

namespace {

TEST_F(RenameTest, ThreeSelectedRowsGiveThreeDialogsTopToBottom) {
    DropAndCheck({{"one.gif", kPngBytes}, {"two.gif", kPngBytes}, {"three.gif", kPngBytes}, {"four.gif", kPngBytes}});
    SelectRows({3, 0, 2});
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    m_dialogs->Expect(AnswerRename(wxID_OK, &seen));
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    DoubleClickList();
    WaitUntilIdle();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].before, "one.gif");
    EXPECT_EQ(seen[1].before, "three.gif");
    EXPECT_EQ(seen[2].before, "four.gif");
    // Cancelling the first did not end the others; only the second was accepted.
    EXPECT_TRUE(Exists("one.gif"));
    EXPECT_TRUE(Exists("two.gif"));
    EXPECT_TRUE(Exists("three.png"));
    EXPECT_TRUE(Exists("four.gif"));
}

TEST_F(RenameTest, FailedRenameIsReportedAndTheNextRowGoesOn) {
    DropAndCheck({{"taken.gif", kPngBytes}, {"free.gif", kPngBytes}});
    m_files.Write("taken.png", "already here");
    SelectRows({0, 1});
    std::vector<SeenRename> seen;
    std::vector<SeenBox> boxes;
    m_dialogs->Expect(AnswerRename(wxID_OK, &seen));
    m_dialogs->Expect(AnswerBox(wxID_OK, &boxes));
    m_dialogs->Expect(AnswerRename(wxID_OK, &seen));
    DoubleClickList();
    WaitUntilIdle();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].message.Contains("taken.gif")) << boxes[0].message;
    EXPECT_TRUE(boxes[0].style & wxOK);
    // Nothing lost: both files of the clash are intact.
    EXPECT_EQ(ReadFile(m_files.Path() / "taken.gif"), kPngBytes);
    EXPECT_EQ(ReadFile(m_files.Path() / "taken.png"), "already here");
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), "taken.gif");
    EXPECT_EQ(Rows().VerdictOf(0).status, STATUS_MISMATCH);
    EXPECT_TRUE(Exists("free.png"));
}

TEST_F(RenameTest, DoubleClickDoesNothingWhileBusyOrWithoutSelection) {
    DropAndCheck({{"photo.gif", kPngBytes}});
    DoubleClickList();  // nothing selected: no dialog
    SelectRows({0});
    ASSERT_TRUE(Runs().TryBeginIntake());
    DoubleClickList();  // busy: no dialog
    Runs().EndIntake();
    ASSERT_TRUE(Runs().TryBeginRenaming());
    DoubleClickList();  // an automatic renaming runs: no dialog
    Runs().EndRenaming();
    EXPECT_TRUE(Exists("photo.gif"));
}

TEST_F(RenameTest, ShiftClickRangeIsRenamedWholeAndOnlyProposalsGetADialog) {
    DropAndCheck({{"a.gif", kPngBytes}, {"b.gif", kPngBytes}, {"fits.png", kPngBytes}, {"d.gif", kPngBytes},
                  {"e.gif", kPngBytes}});
    // A click on row 1 and a Shift+click on row 3, as the view takes them.
    CFileListView* list = m_window->FileListView();
    list->ClickRow(1, false, false);
    list->ClickRow(3, false, true);
    EXPECT_EQ(Rows().Selection().Ranges(), (std::vector<RowRange>{{1, 4}}));
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    DoubleClickList();
    // fits.png has no proposal: no dialog for it.
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].before, "b.gif");
    EXPECT_EQ(seen[1].before, "d.gif");
    EXPECT_EQ(StatusLineText(), "Renamed 0 files");
}

TEST_F(RenameTest, CancelAllEndsTheSequenceAndTheStatusLineSaysWhatHappened) {
    DropAndCheck({{"a.gif", kPngBytes}, {"b.gif", kPngBytes}, {"c.gif", kPngBytes}});
    SelectRows({0, 1, 2});
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_OK, &seen));
    m_dialogs->Expect(AnswerRename(wxID_ABORT, &seen));
    DoubleClickList();
    WaitUntilIdle();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(Exists("a.png"));
    EXPECT_TRUE(Exists("b.gif"));
    EXPECT_TRUE(Exists("c.gif"));
    EXPECT_EQ(StatusLineText(), "Renamed 1 file");
}

// The main window's close box while a Rename File dialog is up: no dialog
// for the rows left, and the window goes once the sequence has returned.
TEST_F(RenameTest, ClosingTheMainWindowEndsTheSequence) {
    DropAndCheck({{"a.gif", kPngBytes}, {"b.gif", kPngBytes}, {"c.gif", kPngBytes}});
    SelectRows({0, 1, 2});
    struct CloseWhileAsked : wxExpectModalBase<CRenameDialog, CloseWhileAsked> {
        int OnInvoked(CRenameDialog* dialog) const override {
            wxCloseEvent close(wxEVT_CLOSE_WINDOW, dialog->GetParent()->GetId());
            close.SetEventObject(dialog->GetParent());
            dialog->GetParent()->GetEventHandler()->ProcessEvent(close);
            return wxID_CANCEL;
        }
    };
    m_dialogs->Expect(CloseWhileAsked());
    DoubleClickList();
    // One dialog only: the hook fails the test on a second.
    EXPECT_TRUE(PumpUntil([this] { return WindowGone(); }));
    EXPECT_TRUE(Exists("b.gif") && Exists("c.gif"));
}

TEST_F(RenameTest, ManyRowsAskFirstAndCanTurnIntoAutoRename) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 21; ++i) files.emplace_back("f" + std::to_string(i) + ".gif", kPngBytes);
    DropAndCheck(files);
    SendCommand(ID_EDIT_SELECTALL);
    std::vector<SeenBox> boxes;
    m_dialogs->Expect(AnswerBox(wxID_CANCEL, &boxes));
    m_dialogs->Expect(AnswerBox(wxID_NO, &boxes));  // "Auto Rename"
    DoubleClickList();
    DoubleClickList();
    WaitUntilIdle();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].message.StartsWith("Rename 21 files one by one?")) << boxes[0].message;
    EXPECT_TRUE(boxes[0].style & wxCANCEL);
    EXPECT_TRUE(Exists("f0.png") && Exists("f20.png"));
    EXPECT_EQ(StatusLineText(), "Renamed 21 files");
}

TEST_F(RenameTest, RealDoubleClickOnARowOpensTheDialog) {
    DropAndCheck({{"photo.gif", kPngBytes}, {"other.gif", kPngBytes}});
    m_window->SetSize(500, 300);
    ASSERT_TRUE(PumpUntil([this] { return m_window->GetSize() == wxSize(500, 300); }));
    m_window->Raise();
    Pump();
    CFileListView* list = m_window->FileListView();
    wxRect row;
    ASSERT_TRUE(list->GetItemRect(1, row));
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    wxUIActionSimulator mouse;
    mouse.MouseMove(list->ClientToScreen(row.GetPosition() + wxPoint(60, row.height / 2)));
    Pump();
    mouse.MouseDblClick();
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }, std::chrono::seconds(5)));
    EXPECT_EQ(seen[0].before, "other.gif");
}

TEST_F(RenameTest, AutoRenameMixOneFailureOneReport) {
    DropAndCheck({{"wrong.gif", kPngBytes},      // renamed to wrong.png
                  {"clash.gif", kPngBytes},      // clash.png exists: fails
                  {"right.pdf", kPdfBytes},      // proposal is its own name: succeeds, unchanged
                  {"unselected.gif", kPngBytes}});
    m_files.Write("clash.png", "in the way");
    SelectRows({0, 1, 2});
    std::vector<SeenReport> reports;
    m_dialogs->Expect(ShowReport(&reports));
    SendCommand(ID_TOOL_AUTORENAME);
    ASSERT_TRUE(PumpUntil([&] { return !reports.empty(); })) << "no report came";
    WaitUntilIdle();
    for (int i = 0; i < 10; ++i) Pump();  // a second report would show up here

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].summary, "1 file was not renamed");
    EXPECT_EQ(reports[0].rows, 1);
    EXPECT_EQ(reports[0].file, wxString(m_files.Path().c_str(), *wxConvFileName) + "/clash.gif");
    EXPECT_EQ(reports[0].newName, "clash.png");
    EXPECT_FALSE(reports[0].reason.empty());
    EXPECT_TRUE(Exists("wrong.png"));
    EXPECT_FALSE(Exists("wrong.gif"));
    EXPECT_EQ(ReadFile(m_files.Path() / "clash.gif"), kPngBytes);
    EXPECT_EQ(ReadFile(m_files.Path() / "clash.png"), "in the way");
    EXPECT_EQ(ReadFile(m_files.Path() / "right.pdf"), kPdfBytes);
    EXPECT_TRUE(Exists("unselected.gif"));
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), "wrong.png");
    EXPECT_EQ(Rows().VerdictOf(0).status, STATUS_MATCH);
    EXPECT_EQ(Rows().GetText(1, kColumnFileName), "clash.gif");
    EXPECT_EQ(Rows().GetText(3, kColumnFileName), "unselected.gif");
}

TEST_F(RenameTest, AutoRenameWithoutFailuresShowsNoBox) {
    DropAndCheck({{"wrong.gif", kPngBytes}});
    SelectRows({0});
    SendCommand(ID_TOOL_AUTORENAME);
    WaitUntilIdle();
    for (int i = 0; i < 10; ++i) Pump();
    EXPECT_TRUE(Exists("wrong.png"));
}

TEST_F(RenameTest, UndoLastRenameRunAfterAutoRename) {
    DropAndCheck({{"first.gif", kPngBytes}, {"second.gif", kPngBytes}});
    SelectRows({0, 1});
    SendCommand(ID_TOOL_AUTORENAME);
    WaitUntilIdle();
    ASSERT_TRUE(Exists("first.png") && Exists("second.png"));
    // Undo names the run it would take back.
    wxMenuBar* bar = m_window->GetMenuBar();
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) bar->GetMenu(i)->UpdateUI(m_window);
    EXPECT_TRUE(bar->IsEnabled(ID_TOOL_UNDORENAME));
    EXPECT_EQ(bar->GetLabel(ID_TOOL_UNDORENAME), "&Undo Auto Rename (2 files)");
    // Someone takes one old name back meanwhile: that file is left alone.
    m_files.Write("second.gif", "a newcomer");

    std::vector<SeenReport> reports;
    m_dialogs->Expect(ShowReport(&reports));
    SendCommand(ID_TOOL_UNDORENAME);
    ASSERT_TRUE(PumpUntil([&] { return !reports.empty(); })) << "no report came";
    WaitUntilIdle();

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rows, 1);
    EXPECT_EQ(reports[0].newName, "second.gif");
    EXPECT_EQ(ReadFile(m_files.Path() / "first.gif"), kPngBytes);
    EXPECT_FALSE(Exists("first.png"));
    EXPECT_EQ(ReadFile(m_files.Path() / "second.png"), kPngBytes);
    EXPECT_EQ(ReadFile(m_files.Path() / "second.gif"), "a newcomer");
    // The row follows its file and is judged again.
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), "first.gif");
    EXPECT_EQ(Rows().VerdictOf(0).status, STATUS_MISMATCH);
    EXPECT_EQ(Rows().GetText(1, kColumnFileName), "second.png");
    EXPECT_EQ(Rows().StatusText(), "Took back 1 rename, 1 not taken back");
}

TEST_F(RenameTest, ReportForAWindowThatIsClosedIsDropped) {
    DropAndCheck({{"clash.gif", kPngBytes}});
    m_files.Write("clash.png", "in the way");
    SelectRows({0});
    SendCommand(ID_TOOL_AUTORENAME);
    // Without serving the window: the worker ends and its report is queued.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Runs().ListChangesAllowed() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_TRUE(Runs().ListChangesAllowed());
    // Closed before the report is served: no box for a window the user has
    // closed (the hook fails the test on one), and no crash.
    m_window->Close();
    ASSERT_TRUE(PumpUntil([this] { return WindowGone(); }));
    for (int i = 0; i < 20; ++i) Pump();
    EXPECT_EQ(ReadFile(m_files.Path() / "clash.png"), "in the way");
}

}  // namespace
