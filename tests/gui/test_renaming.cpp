// Renaming through the Rename File dialog (double click) and Auto Rename.
#include <chrono>
#include <string>
#include <thread>

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "list/file_list.h"
#include "gui_test_support.h"
#include "list/run_state.h"
#include "window/file_list_view.h"
#include "window/rename_report_dialog.h"
#include "window/text_convert.h"
#include "window/resource_ids.h"

using namespace std::string_literals;

namespace {


struct SeenReport {
    wxString summary;
    long rows = 0;
    wxString file, newName, reason;  // the first row
    bool shownOnScreen = false;
    bool insideTheScreen = false;
};

// Answers the Auto Rename report after showing it for real, so its layout and
// first drawing are paid as the user would pay them.
class ShowReport : public wxExpectModalBase<CRenameReportDialog, ShowReport> {
public:
    explicit ShowReport(std::vector<SeenReport>* seen) : m_seen(seen) {}

protected:
    int OnInvoked(CRenameReportDialog* dialog) const override {
        SeenReport seen;
        dialog->Show();
        seen.shownOnScreen = PumpUntil([dialog] { return dialog->IsShownOnScreen(); }, std::chrono::seconds(5));
        dialog->Update();
        Pump();
        seen.summary = dialog->Summary()->GetLabel();
        wxListCtrl* list = dialog->List();
        seen.rows = list->GetItemCount();
        if (seen.rows > 0) {
            seen.file = list->GetItemText(0, 0);
            seen.newName = list->GetItemText(0, 1);
            seen.reason = list->GetItemText(0, 2);
        }
        seen.insideTheScreen = wxDisplay(0u).GetClientArea().Contains(dialog->GetScreenRect());
        dialog->Hide();
        m_seen->push_back(seen);
        return wxID_OK;
    }

private:
    std::vector<SeenReport>* m_seen;
};

class RenameTest : public MainWindowTest {
protected:
    // Drops the files in this order and checks them.
    void DropAndCheck(const std::vector<std::pair<std::string, std::string>>& files) {
        OpenWindow();
        std::vector<fs::path> paths;
        for (const auto& [name, bytes] : files) paths.push_back(m_files.Write(name, bytes));
        DropPaths(paths);
        WaitUntilIdle();
        SendCommand(ID_TOOL_CHECK);
        WaitUntilIdle();
    }
    bool Exists(const std::string& name) const { return fs::exists(m_files.Path() / name); }
};

struct DialogCase {
    const char* name;
    int answer;
    std::optional<const char*> typed;
    const char* expectedName;  // the file's name afterwards
};

class RenameDialogAnswers : public RenameTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(RenameDialogAnswers, ProposesTheExpectedExtension) {
    const DialogCase& c = GetParam();
    DropAndCheck({{"photo.gif", kPngBytes}});
    SelectRows({0});
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(c.answer, &seen,
                                   c.typed ? std::optional<wxString>(*c.typed) : std::nullopt));
    DoubleClickList();
    WaitUntilIdle();

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].before, "photo.gif");
    EXPECT_EQ(seen[0].after, "photo.png");
    EXPECT_TRUE(Exists(c.expectedName));
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), c.expectedName);
    EXPECT_EQ(m_window->FileListView()->GetItemText(0, 1), c.expectedName);
    const bool renamed = std::string(c.expectedName) != "photo.gif";
    EXPECT_EQ(Rows().GetImage(0), renamed ? STATUS_MATCH : STATUS_MISMATCH);
    EXPECT_EQ(State().CellText(0, kColumnExpectType).empty(), renamed);
    if (renamed) {
        EXPECT_FALSE(Exists("photo.gif"));
        EXPECT_EQ(ReadFile(m_files.Path() / c.expectedName), kPngBytes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RenameDialogAnswers,
    ::testing::Values(DialogCase{"OkAsProposed", wxID_OK, std::nullopt, "photo.png"},
                      DialogCase{"Cancel", wxID_CANCEL, std::nullopt, "photo.gif"},
                      DialogCase{"OkWithTypedName", wxID_OK, "typed.png", "typed.png"},
                      DialogCase{"OkWithCurrentName", wxID_OK, "photo.gif", "photo.gif"},
                      DialogCase{"CancelAfterTyping", wxID_CANCEL, "typed.png", "photo.gif"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RenameTest, DialogLayoutAndFocus) {
    DropAndCheck({{"photo.gif", kPngBytes}});
    SelectRows({0});
    struct Inspect : wxExpectModalBase<CRenameDialog, Inspect> {
        int OnInvoked(CRenameDialog* dialog) const override {
            EXPECT_EQ(dialog->GetTitle(), "Rename File");
            EXPECT_EQ(dialog->GetClientSize(), dialog->ConvertDialogToPixels(wxSize(223, 86)));
            const auto rect = [dialog](int x, int y, int w, int h) {
                return wxRect(dialog->ConvertDialogToPixels(wxPoint(x, y)), dialog->ConvertDialogToPixels(wxSize(w, h)));
            };
            EXPECT_EQ(dialog->OkButton()->GetRect(), rect(7, 67, 100, 12));
            EXPECT_EQ(dialog->FindWindow(wxID_CANCEL)->GetRect(), rect(116, 67, 100, 12));
            EXPECT_EQ(dialog->BeforeField()->GetRect(), rect(7, 19, 209, 12));
            EXPECT_EQ(dialog->AfterField()->GetRect(), rect(7, 47, 209, 12));
            EXPECT_EQ(dialog->BeforeField()->GetId(), IDC_BEFORE_NAME);
            EXPECT_EQ(dialog->AfterField()->GetId(), IDC_AFTER_NAME);
            EXPECT_FALSE(dialog->BeforeField()->IsEditable());
            EXPECT_TRUE(dialog->AfterField()->IsEditable());
            EXPECT_EQ(dialog->GetDefaultItem(), dialog->OkButton());
            // Tab order is creation order: OK, Cancel, the two fields, the two labels.
            const wxWindowList& children = dialog->GetChildren();
            EXPECT_EQ(children[0], dialog->OkButton());
            EXPECT_EQ(children[1]->GetId(), wxID_CANCEL);
            EXPECT_EQ(children[2], dialog->BeforeField());
            EXPECT_EQ(children[3], dialog->AfterField());
            EXPECT_EQ(children[4]->GetLabel(), "Before filename:");
            EXPECT_EQ(children[5]->GetLabel(), "After filename:");
            return wxID_CANCEL;
        }
    };
    m_dialogs->Expect(Inspect());
    DoubleClickList();
}

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
    EXPECT_EQ(Rows().GetImage(0), STATUS_MISMATCH);
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

TEST_F(RenameTest, NonUtf8NameRoundTripsThroughTheDialog) {
    const std::string name = "f\xe9te.gif";
    DropAndCheck({{name, kPngBytes}});
    SelectRows({0});
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_OK, &seen));
    DoubleClickList();
    WaitUntilIdle();
    EXPECT_TRUE(Exists("f\xe9te.png"));
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), "f\xe9te.png");
}

TEST_F(RenameTest, ShiftRangeSelectionIsRenamedWhole) {
    DropAndCheck({{"a.gif", kPngBytes}, {"b.gif", kPngBytes}, {"c.gif", kPngBytes}, {"d.gif", kPngBytes}});
    // A range selected in the control at once, as Shift+click does, without
    // per-row selection events reaching the model.
    CFileListView* list = m_window->FileListView();
    list->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    Rows().SetAllSelected(false);
    list->SetItemState(2, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    Rows().SetSelected(2, false);
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    DoubleClickList();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].before, "b.gif");
    EXPECT_EQ(seen[1].before, "c.gif");
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
    EXPECT_EQ(Rows().GetImage(0), STATUS_MATCH);
    EXPECT_EQ(Rows().GetText(1, kColumnFileName), "clash.gif");
    EXPECT_EQ(Rows().GetText(3, kColumnFileName), "unselected.gif");
}

TEST_F(RenameTest, TwoThousandFailuresGiveAReportThatFitsTheScreenAtOnce) {
    constexpr int kFailures = 2000;
    OpenWindow();
    std::vector<fs::path> paths;
    for (int i = 0; i < kFailures; ++i) {
        const std::string name = "photo" + std::to_string(i);
        paths.push_back(m_files.Write(name + ".gif", kPngBytes));
        m_files.Write(name + ".png", "in the way");
    }
    DropPaths(paths);
    SendCommand(ID_TOOL_CHECK);
    WaitUntilIdle();
    m_window->FileListView()->SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);

    std::vector<SeenReport> reports;
    m_dialogs->Expect(ShowReport(&reports));
    const auto start = std::chrono::steady_clock::now();
    SendCommand(ID_TOOL_AUTORENAME);
    // Generous: it catches a window that freezes, it measures nothing.
    ASSERT_TRUE(PumpUntil([&] { return !reports.empty(); }, std::chrono::seconds(5)))
        << "no report within 5 s";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_TRUE(reports[0].shownOnScreen);
    EXPECT_TRUE(reports[0].insideTheScreen);
    EXPECT_EQ(reports[0].summary, "2000 files were not renamed");
    EXPECT_EQ(reports[0].rows, kFailures);
    WaitUntilIdle();
    EXPECT_EQ(ReadFile(m_files.Path() / "photo1999.png"), "in the way");
}

enum class ReportOutputWay { Copy, Save, SaveWhereNoFileCanBe };

std::string WayName(ReportOutputWay way) {
    switch (way) {
        case ReportOutputWay::Copy: return "Copy";
        case ReportOutputWay::Save: return "Save";
        default: return "SaveWhereNoFileCanBe";
    }
}

void PrintTo(ReportOutputWay way, std::ostream* os) { *os << WayName(way); }

class ReportOutput : public RenameTest, public ::testing::WithParamInterface<ReportOutputWay> {};

TEST_P(ReportOutput, HoldsEveryFailureWithItsBytesOrSaysItFailed) {
    OpenWindow();
    const std::string folder = m_files.Path().string() + "/";
    const std::string odd = folder + "f\xe9te.gif";
    const std::vector<RenameFailure> failures = {{odd, folder + "f\xe9te.png", "File exists"},
                                                 {folder + "b.gif", folder + "b.png", "Permission denied"}};
    CRenameReportDialog dialog(m_window.get(), failures);
    std::string text;
    switch (GetParam()) {
        case ReportOutputWay::Copy: {
            wxCommandEvent click(wxEVT_BUTTON, dialog.CopyButton()->GetId());
            dialog.CopyButton()->GetEventHandler()->ProcessEvent(click);
            wxTextDataObject data;
            ASSERT_TRUE(wxTheClipboard->Open());
            EXPECT_TRUE(wxTheClipboard->GetData(data));
            wxTheClipboard->Close();
            text = FileNameBytes(data.GetText());
            break;
        }
        case ReportOutputWay::Save:
            ASSERT_TRUE(dialog.SaveReport(FromFileName(folder + "list.txt")));
            text = ReadFile(folder + "list.txt");
            break;
        case ReportOutputWay::SaveWhereNoFileCanBe:
            EXPECT_FALSE(dialog.SaveReport(FromFileName(folder + "missing/list.txt")));
            return;
    }
    EXPECT_EQ(text, RenameFailureReport(failures));
    EXPECT_NE(text.find(odd), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Ways, ReportOutput,
                         ::testing::Values(ReportOutputWay::Copy, ReportOutputWay::Save,
                                           ReportOutputWay::SaveWhereNoFileCanBe),
                         [](const auto& info) { return WayName(info.param); });

TEST_F(RenameTest, UndoLastRenameRunAfterAutoRename) {
    DropAndCheck({{"first.gif", kPngBytes}, {"second.gif", kPngBytes}});
    SelectRows({0, 1});
    SendCommand(ID_TOOL_AUTORENAME);
    WaitUntilIdle();
    ASSERT_TRUE(Exists("first.png") && Exists("second.png"));
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
    EXPECT_EQ(Rows().GetImage(0), STATUS_MISMATCH);
    EXPECT_EQ(Rows().GetText(1, kColumnFileName), "second.png");
}

TEST_F(RenameTest, AutoRenameWithoutFailuresShowsNoBox) {
    DropAndCheck({{"wrong.gif", kPngBytes}});
    SelectRows({0});
    SendCommand(ID_TOOL_AUTORENAME);
    WaitUntilIdle();
    for (int i = 0; i < 10; ++i) Pump();
    EXPECT_TRUE(Exists("wrong.png"));
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

namespace {

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

}  // namespace
