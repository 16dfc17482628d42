// The main window's commands: drops, Check and its stop question, New, Add Files, Ctrl+A/Delete, the right click.
#include <string>
#include <vector>

#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "gui_test_support.h"
#include "list/file_list.h"
#include "list/run_state.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"

namespace {

TEST_F(MainWindowTest, DropThenCheckShowsVerdictsAndSummary) {
    CMainDialog* window = OpenWindow();
    const fs::path folder = m_files.Path() / "folder";
    fs::create_directory(folder);
    DropPaths({m_files.Write("picture.gif", kPngBytes), m_files.Write("paper.pdf", kPdfBytes),
               m_files.Write("notes.txt", "just some words\n"), folder});
    WaitUntilIdle();
    EXPECT_EQ(StatusLineText(), "All File : 4");
    CFileListView* list = window->FileListView();
    ASSERT_EQ(list->GetItemCount(), 4);
    const std::string location = m_files.Path().string() + "/";
    EXPECT_EQ(list->GetItemText(0, 0), wxString::FromUTF8(location));
    EXPECT_EQ(list->GetItemText(0, 1), "picture.gif");
    EXPECT_EQ(list->GetItemText(3, 1), "folder");

    SendCommand(ID_TOOL_CHECK);
    WaitUntilIdle();
    // The folder is not opened, so three files were checked.
    EXPECT_EQ(StatusLineText(), "All File : 4  CheckFile : 3");
    FileList& rows = Rows();
    EXPECT_EQ(rows.VerdictOf(0).status, STATUS_MISMATCH);
    EXPECT_TRUE(list->GetItemText(0, 2).EndsWith("; png")) << list->GetItemText(0, 2);
    EXPECT_EQ(rows.VerdictOf(1).status, STATUS_MATCH);
    EXPECT_EQ(list->GetItemText(1, 2), "");
    EXPECT_EQ(rows.VerdictOf(2).status, STATUS_UNKNOWN);
    EXPECT_EQ(rows.VerdictOf(3).status, STATUS_FOLDER);
}

// The reference the other ways in (command line, paste) are held to.
TEST_F(WaysIn, DropGivesOneUncheckedRowPerPath) {
    const std::vector<fs::path> paths = MakeFiles();
    OpenWindow();
    DropPaths(paths);
    ExpectTheRowsADropGives();
}

TEST_F(MainWindowTest, NamesThatAreNotUtf8SurviveTheDrop) {
    CMainDialog* window = OpenWindow();
    const std::string name = "caf\xe9-\xff.gif";  // Latin-1 bytes, not UTF-8
    DropPaths({m_files.Write(name, kPngBytes)});
    WaitUntilIdle();
    ASSERT_EQ(Rows().RowCount(), 1);
    EXPECT_EQ(Rows().GetText(0, 1), name);
    EXPECT_FALSE(window->FileListView()->GetItemText(0, 1).empty());
}

TEST_F(MainWindowTest, DropIsIgnoredWhileDropsAreRefused) {
    OpenWindow();
    ASSERT_TRUE(Runs().TryBeginRenaming());
    DropPaths({m_files.Write("a.gif", kPngBytes)}, false);
    for (int i = 0; i < 20; ++i) Pump();
    Runs().EndRenaming();
    WaitUntilIdle();
    EXPECT_EQ(Rows().RowCount(), 0);
}

struct NewListCase {
    const char* name;
    bool emptyList;      // otherwise two rows
    bool busy;
    int answer;          // ignored when no box is expected
    bool expectBox;
    bool expectCleared;
};

class NewList : public MainWindowTest, public ::testing::WithParamInterface<NewListCase> {};

TEST_P(NewList, AsksAndClearsOnlyOnYes) {
    const NewListCase& c = GetParam();
    OpenWindow();
    const int32_t rowsBefore = c.emptyList ? 0 : 2;
    if (!c.emptyList) DropPaths({m_files.Write("a.gif", kPngBytes), m_files.Write("b.pdf", kPdfBytes)});
    WaitUntilIdle();
    const wxString statusBefore = StatusLineText();

    std::vector<SeenBox> boxes;
    if (c.expectBox) m_dialogs->Expect(AnswerBox(c.answer, &boxes));
    if (c.busy) {
        ASSERT_TRUE(Runs().TryBeginIntake());
    }
    SendCommand(ID_FILE_NEWLIST);
    if (c.busy) Runs().EndIntake();
    m_dialogs->Verify();
    m_window->SynchroniseView();

    if (c.expectBox) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].message, "Delete all item OK?");
        EXPECT_EQ(boxes[0].caption, "List Create");
        EXPECT_TRUE(boxes[0].style & wxYES_NO);
        EXPECT_FALSE(boxes[0].style & wxNO_DEFAULT);
        EXPECT_TRUE(boxes[0].style & wxICON_NONE);
    }
    EXPECT_EQ(Rows().RowCount(), c.expectCleared ? 0 : rowsBefore);
    EXPECT_EQ(m_window->FileListView()->GetItemCount(), c.expectCleared ? 0 : rowsBefore);
    EXPECT_EQ(StatusLineText(), c.expectCleared ? wxString("All File : 0") : statusBefore);
}

INSTANTIATE_TEST_SUITE_P(Answers, NewList,
                         ::testing::Values(NewListCase{"Yes", false, false, wxID_YES, true, true},
                                           NewListCase{"No", false, false, wxID_NO, true, false},
                                           NewListCase{"Busy", false, true, 0, false, false},
                                           NewListCase{"EmptyListStillAsks", true, false, wxID_YES, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StopCase {
    const char* name;
    int answer;
    bool stops;
};

class CheckWhileBusy : public MainWindowTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(CheckWhileBusy, AsksWhetherToStop) {
    OpenWindow();
    for (int i = 0; i < 5; ++i) Rows().AppendRow("/data/", std::to_string(i));
    State().CountCheckedFile();
    State().CountCheckedFile();
    ASSERT_TRUE(Runs().TryBeginIntake());  // as while a drop is taken in
    std::vector<SeenBox> boxes;
    m_dialogs->Expect(AnswerBox(GetParam().answer, &boxes));
    SendCommand(ID_TOOL_CHECK);
    m_dialogs->Verify();
    m_window->SynchroniseView();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].message, "Stop OK?");
    EXPECT_EQ(boxes[0].caption, "Check Stop");
    EXPECT_TRUE(boxes[0].style & wxYES_NO);
    EXPECT_FALSE(boxes[0].style & wxNO_DEFAULT);
    EXPECT_TRUE(boxes[0].style & wxICON_NONE);
    EXPECT_EQ(Runs().StopRequested(), GetParam().stops);
    EXPECT_EQ(StatusLineText(), GetParam().stops ? "Check Aborted.  All File : 5  CheckFile : 2" : "");
    Runs().EndIntake();
    // The next run's start forgets the stop.
}

INSTANTIATE_TEST_SUITE_P(Answers, CheckWhileBusy,
                         ::testing::Values(StopCase{"Yes", wxID_YES, true}, StopCase{"No", wxID_NO, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Picks one file in the file dialog and presses Open.
class AnswerFileDialog : public wxExpectModalBase<wxFileDialog, AnswerFileDialog> {
public:
    AnswerFileDialog(fs::path path, bool* multiple) : m_path(std::move(path)), m_multiple(multiple) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        *m_multiple = dialog->HasFlag(wxFD_MULTIPLE);
        dialog->SetPath(wxString(m_path.c_str(), *wxConvFileName));
        // The toolkit's chooser takes the name in while events run.
        PumpUntil([dialog] {
            wxArrayString paths;
            dialog->GetPaths(paths);
            return !paths.empty();
        }, std::chrono::seconds(5));
        return wxID_OK;
    }

private:
    fs::path m_path;
    bool* m_multiple;
};

TEST_F(MainWindowTest, AddFilesTakesTheChosenFilesInAsADrop) {
    OpenWindow();
    DropPaths({m_files.Write("first.gif", "GIF89a")});
    fs::create_directory(m_files.Path() / "sub folder");
    // UTF-8: the toolkit's chooser cannot be handed another name from a test.
    const fs::path chosen = m_files.Write("sub folder/caf\xC3\xA9.pdf", "%PDF-");
    bool multiple = false;
    m_dialogs->Expect(AnswerFileDialog(chosen, &multiple));
    SendCommand(ID_FILE_ADDFILES);
    ASSERT_TRUE(PumpUntil([this] { return Rows().RowCount() == 2; }));
    WaitUntilIdle();
    EXPECT_TRUE(multiple);
    ASSERT_EQ(Rows().RowCount(), 2);
    EXPECT_EQ(Rows().PathOf(1), chosen.string());
    EXPECT_EQ(StatusLineText(), "All File : 2");
}

struct RemoveCase {
    const char* name;
    std::vector<long> selectedRows;  // empty: Ctrl+A
    bool autoRenaming;
    std::vector<std::string> remaining;
};

class RemoveRows : public MainWindowTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveRows, DeleteTakesSelectedRowsOutOfTheListOnly) {
    const RemoveCase& c = GetParam();
    CMainDialog* window = OpenWindow();
    const std::vector<std::string> names = {"a.gif", "b.gif", "c.gif", "d.gif", "e.gif"};
    for (const std::string& name : names) DropPaths({m_files.Write(name, "GIF89a")});
    WaitUntilIdle();
    if (!c.selectedRows.empty()) SelectRows(c.selectedRows);
    if (c.autoRenaming) {
        ASSERT_TRUE(Runs().TryBeginRenaming());
    }
    CFileListView* list = window->FileListView();
    PressInList([&](wxUIActionSimulator& keys) {
        if (c.selectedRows.empty()) {
            keys.Char('a', wxMOD_CONTROL);
            // Selecting is allowed at any time; this also proves the keys arrive.
            ASSERT_TRUE(PumpUntil([this] { return Rows().SelectedCount() == 5; }, std::chrono::seconds(5)));
        }
        keys.Char(WXK_DELETE);
    });
    for (int i = 0; i < 20; ++i) Pump();
    if (c.autoRenaming) Runs().EndRenaming();
    WaitUntilIdle();

    std::vector<std::string> rows;
    for (int32_t row = 0; row < Rows().RowCount(); ++row) rows.push_back(Rows().GetText(row, 1));
    EXPECT_EQ(rows, c.remaining);
    EXPECT_EQ(list->GetItemCount(), static_cast<int>(c.remaining.size()));
    EXPECT_EQ(StatusLineText(), "All File : " + std::to_string(c.remaining.size()));
    if (c.remaining.size() < names.size()) {
        EXPECT_EQ(Rows().SelectedCount(), 0);
    }
    for (const std::string& name : names) EXPECT_TRUE(fs::exists(m_files.Path() / name)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveRows,
    ::testing::Values(RemoveCase{"CtrlAThenDelete", {}, false, {}},
                      RemoveCase{"SomeRowsKeepTheOthersInOrder", {1, 3}, false, {"a.gif", "c.gif", "e.gif"}},
                      RemoveCase{"RefusedWhileAutoRenameRuns", {}, true, {"a.gif", "b.gif", "c.gif", "d.gif", "e.gif"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A real right click below the rows: the context menu opens (and is closed
// again with Escape once it is up).
TEST_F(MainWindowTest, RightClickInTheListOpensTheContextMenu) {
    CMainDialog* window = OpenWindow();
    window->SetSize(400, 300);
    ASSERT_TRUE(PumpUntil([window] { return window->GetSize() == wxSize(400, 300); }));
    window->Raise();
    Pump();

    std::vector<std::string> labels;
    wxUIActionSimulator input;
    window->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        if (labels.empty() && event.GetMenu()) {
            for (wxMenuItem* item : event.GetMenu()->GetMenuItems()) labels.push_back(item->GetItemLabel().utf8_string());
            // Served inside the menu's own loop.
            window->CallAfter([&input] { input.Char(WXK_ESCAPE); });
        }
        event.Skip();
    });
    // Should the menu open without telling, this closes it anyway.
    wxTimer fallback;
    fallback.Bind(wxEVT_TIMER, [&input](wxTimerEvent&) { input.Char(WXK_ESCAPE); });
    fallback.StartOnce(3000);

    input.MouseMove(window->FileListView()->ClientToScreen(wxPoint(200, 200)));
    Pump();
    input.MouseClick(wxMOUSE_BTN_RIGHT);
    PumpUntil([&] { return !labels.empty(); }, std::chrono::seconds(5));
    fallback.Stop();
    const std::vector<std::string> expected = {"&File", "&Tool"};
    EXPECT_EQ(labels, expected);
}

}  // namespace
