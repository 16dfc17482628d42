// The main window's keys and the commands' greying: Enter, F2, F3, Shift+F3
// and Ctrl+M with real key presses; every command greyed while it would be refused.
#include <string>
#include <vector>

#include <wx/menu.h>
#include <wx/uiaction.h>

#include "gui_test_support.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"
#include "window/status_line.h"

namespace {

// Rows 0..4: a.gif (cross), fits.png, c.gif (cross), fits2.png, e.gif (cross).
class KeyTest : public RenameTest {
protected:
    void SetUp() override {
        RenameTest::SetUp();
        DropAndCheck({{"a.gif", kPngBytes}, {"fits.png", kPngBytes}, {"c.gif", kPngBytes},
                      {"fits2.png", kPngBytes}, {"e.gif", kPngBytes}});
    }
    void Press(int key, int modifiers = wxMOD_NONE) {
        PressInList([key, modifiers](wxUIActionSimulator& keys) { keys.Char(key, modifiers); });
    }
    CFileListView* List() const { return m_window->FileListView(); }
};

TEST_F(KeyTest, CtrlMSelectsEveryMismatchAndF3WalksThem) {
    // From the start the list has the keys, with its first row focused:
    // the first Down selects that row, without a click or a Tab first.
    m_window->Raise();
    Pump();
    wxUIActionSimulator keys;
    keys.Char(WXK_DOWN);
    Pump();
    EXPECT_EQ(Rows().Selection().Ranges(), (std::vector<RowRange>{{0, 1}}));
    Press('M', wxMOD_CONTROL);
    EXPECT_EQ(Rows().Selection().Ranges(), (std::vector<RowRange>{{0, 1}, {2, 3}, {4, 5}}));
    EXPECT_EQ(List()->FocusedRow(), 0);
    Press(WXK_F3);
    EXPECT_EQ(List()->FocusedRow(), 2);
    Press(WXK_F3);
    EXPECT_EQ(List()->FocusedRow(), 4);
    Press(WXK_F3);  // round the end
    EXPECT_EQ(List()->FocusedRow(), 0);
    Press(WXK_F3, wxMOD_SHIFT);
    EXPECT_EQ(List()->FocusedRow(), 4);
    // F3 makes the cross it reaches the selection, ready for Enter.
    EXPECT_EQ(Rows().Selection().Ranges(), (std::vector<RowRange>{{4, 5}}));
    EXPECT_NE(m_window->StatusLine()->GetCounts().Find("3 mismatches, 2 matches"), wxNOT_FOUND)
        << m_window->StatusLine()->GetCounts();
}

struct RenameKeyCase {
    const char* name;
    int key;
};

class RenameKeys : public KeyTest, public ::testing::WithParamInterface<RenameKeyCase> {};

TEST_P(RenameKeys, OpenTheRenameDialogsOfTheSelection) {
    // The first Down selects the first row, not the second.
    Press(WXK_DOWN);
    EXPECT_EQ(Rows().Selection().Ranges(), (std::vector<RowRange>{{0, 1}}));
    Press(WXK_DOWN, wxMOD_SHIFT);
    Press(WXK_DOWN, wxMOD_SHIFT);
    EXPECT_EQ(Rows().Selection().Ranges(), (std::vector<RowRange>{{0, 3}}));
    std::vector<SeenRename> seen;
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    m_dialogs->Expect(AnswerRename(wxID_CANCEL, &seen));
    Press(GetParam().key);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].before, "a.gif");
    EXPECT_EQ(seen[1].before, "c.gif");
}

INSTANTIATE_TEST_SUITE_P(Keys, RenameKeys,
                         ::testing::Values(RenameKeyCase{"Enter", WXK_RETURN}, RenameKeyCase{"F2", WXK_F2}),
                         [](const auto& info) { return std::string(info.param.name); });

// While rows are taken in, every command that would be refused is greyed,
// in the menu bar as through the keys; the others stay.
TEST_F(KeyTest, CommandsAreGreyedWhileTheyWouldBeRefused) {
    SelectRows({0});
    wxMenuBar* bar = m_window->GetMenuBar();
    const auto enabled = [&](int id) {
        for (size_t i = 0; i < bar->GetMenuCount(); ++i) bar->GetMenu(i)->UpdateUI(m_window);
        return bar->IsEnabled(id);
    };
    // Undo also waits for a run to take back: see the renaming tests.
    const std::vector<int> refusedWhileBusy = {ID_FILE_NEWLIST, ID_FILE_ADDFILES, ID_EDIT_PASTE, ID_EDIT_REMOVE,
                                               ID_TOOL_AUTORENAME, ID_TOOL_RENAMESELECTED};
    const std::vector<int> alwaysThere = {ID_EDIT_SELECTALL, ID_TOOL_SELECTMISMATCHES, ID_TOOL_NEXTMISMATCH,
                                          ID_FILE_EXIT, ID_HELP_INDEX};
    for (int id : refusedWhileBusy) EXPECT_TRUE(enabled(id)) << id;
    ASSERT_TRUE(Runs().TryBeginRenaming());
    for (int id : refusedWhileBusy) EXPECT_FALSE(enabled(id)) << id;
    EXPECT_FALSE(enabled(ID_TOOL_UNDORENAME));
    for (int id : alwaysThere) EXPECT_TRUE(enabled(id)) << id;
    EXPECT_FALSE(enabled(ID_TOOL_CHECK));
    // A greyed command's key does nothing: Delete leaves the row.
    Press(WXK_DELETE);
    EXPECT_EQ(Rows().RowCount(), 5);
    Runs().EndRenaming();
    // Nothing selected: nothing to rename or remove.
    Rows().SetAllSelected(false);
    EXPECT_FALSE(enabled(ID_EDIT_REMOVE));
    EXPECT_FALSE(enabled(ID_TOOL_AUTORENAME));
    EXPECT_TRUE(enabled(ID_TOOL_CHECK));
}

// Select Mismatches, then Auto Rename: the status line tells what was done.
TEST_F(KeyTest, SelectMismatchesThenAutoRenameSaysHowMany) {
    SendCommand(ID_TOOL_SELECTMISMATCHES);
    SendCommand(ID_TOOL_AUTORENAME);
    WaitUntilIdle();
    EXPECT_TRUE(Exists("a.png") && Exists("c.png") && Exists("e.png"));
    EXPECT_EQ(StatusLineText(), "Renamed 3 files");
    EXPECT_NE(m_window->StatusLine()->GetCounts().Find("0 mismatches, 5 matches"), wxNOT_FOUND)
        << m_window->StatusLine()->GetCounts();
}

}  // namespace
