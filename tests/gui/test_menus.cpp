// The menu bar's and the context menu's items, and that each context menu item reaches its command's handler.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/menu.h>

#include "gui_test_support.h"
#include "window/menus.h"
#include "window/resource_ids.h"

namespace {

// Each leaf of a menu: its label with access key, and its command.
std::vector<std::pair<std::string, int>> Leaves(wxMenu* menu, const std::string& path) {
    std::vector<std::pair<std::string, int>> leaves;
    for (wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSeparator()) {
            leaves.emplace_back(path + "-", 0);
        } else if (item->IsSubMenu()) {
            auto inner = Leaves(item->GetSubMenu(), path + item->GetItemLabel().utf8_string() + "/");
            leaves.insert(leaves.end(), inner.begin(), inner.end());
        } else {
            leaves.emplace_back(path + item->GetItemLabel().utf8_string(), item->GetId());
            EXPECT_TRUE(item->IsEnabled());
            // Only the switch for the second look can be ticked.
            EXPECT_EQ(item->IsCheckable(), item->GetId() == ID_TOOL_LOOKINSIDE);
        }
    }
    return leaves;
}

TEST(Menus, MenuBarHasTheDocumentedItems) {
    std::unique_ptr<wxMenuBar> bar(CreateMainMenuBar());
    std::vector<std::pair<std::string, int>> leaves;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
        auto inner = Leaves(bar->GetMenu(i), bar->GetMenuLabel(i).utf8_string() + "/");
        leaves.insert(leaves.end(), inner.begin(), inner.end());
    }
    const std::vector<std::pair<std::string, int>> expected = {
        {"&File/&New", ID_FILE_NEWLIST},     {"&File/Add &Files...", ID_FILE_ADDFILES},
        {"&File/Add Folder &Contents...", ID_FILE_ADDFOLDER},                {"&File/-", 0},
        {"&File/&Exit", ID_FILE_EXIT},
        {"&Edit/&Paste Files\tCtrl+V", ID_EDIT_PASTE}, {"&Edit/Select &All\tCtrl+A", ID_EDIT_SELECTALL},
        {"&Edit/&Remove from List\tDelete", ID_EDIT_REMOVE},
        {"&Tool/&Check", ID_TOOL_CHECK},     {"&Tool/-", 0},
        {"&Tool/Select &Mismatches\tCtrl+M", ID_TOOL_SELECTMISMATCHES},
        {"&Tool/&Next Mismatch\tF3", ID_TOOL_NEXTMISMATCH},
        {"&Tool/&Previous Mismatch\tShift+F3", ID_TOOL_PREVMISMATCH}, {"&Tool/-", 0},
        {"&Tool/&Rename One by One...\tF2", ID_TOOL_RENAMESELECTED}, {"&Tool/Auto Rename", ID_TOOL_AUTORENAME},
        {"&Tool/&Undo Last Rename Run", ID_TOOL_UNDORENAME}, {"&Tool/-", 0},
        {"&Tool/&Look Inside Documents", ID_TOOL_LOOKINSIDE},
        {"&About/&Help", ID_HELP_INDEX},     {"&About/-", 0}, {"&About/&About Quorvane", ID_ABOUT_BOX}};
    EXPECT_EQ(leaves, expected);
}

TEST(Menus, ContextMenuHasTheDocumentedItems) {
    std::unique_ptr<wxMenu> menu(CreateContextMenu());
    const std::vector<std::pair<std::string, int>> expected = {
        {"&File/&New", ID_FILE_NEWLIST}, {"&File/Add &Files...", ID_FILE_ADDFILES},
        {"&File/Add Folder &Contents...", ID_FILE_ADDFOLDER}, {"&File/-", 0}, {"&File/E&xit", ID_FILE_EXIT},
        {"&Tool/&Check", ID_TOOL_CHECK}};
    EXPECT_EQ(Leaves(menu.get(), ""), expected);
}

// Chooses an item of the context menu as a click on it would: through the
// menu, to the window it was opened on.
void ChooseFromContextMenu(CMainDialog* window, int id) {
    std::unique_ptr<wxMenu> menu(CreateContextMenu());
    wxMenuItem* item = menu->FindItem(id);
    ASSERT_NE(item, nullptr);
    menu->SetInvokingWindow(window);
    item->GetMenu()->SendEvent(id);
    menu->SetInvokingWindow(nullptr);
}

// Each item of the context menu reaches the handler of the same command in
// the menu bar: what it leaves behind is that handler's own mark.
struct ContextCase {
    const char* name;
    int command;
};

class ContextMenu : public MainWindowTest, public ::testing::WithParamInterface<ContextCase> {};

TEST_P(ContextMenu, ReachesTheSameHandler) {
    CMainDialog* window = OpenWindow();
    std::vector<SeenBox> boxes;
    switch (GetParam().command) {
        case ID_FILE_NEWLIST:
            m_dialogs->Expect(AnswerBox(wxID_NO, &boxes));
            ChooseFromContextMenu(window, ID_FILE_NEWLIST);
            m_dialogs->Verify();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].caption, "List Create");
            break;
        case ID_TOOL_CHECK:
            DropPaths({m_files.Write("a.gif", kPngBytes)});
            WaitUntilIdle();
            ChooseFromContextMenu(window, ID_TOOL_CHECK);
            WaitUntilIdle();
            EXPECT_EQ(StatusLineText(), "All File : 1  CheckFile : 1");
            break;
        case ID_FILE_EXIT:
            ChooseFromContextMenu(window, ID_FILE_EXIT);
            EXPECT_TRUE(PumpUntil([this] { return WindowGone(); }));
            EXPECT_TRUE(fs::exists(ProfileFile()));
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, ContextMenu,
                         ::testing::Values(ContextCase{"New", ID_FILE_NEWLIST}, ContextCase{"Check", ID_TOOL_CHECK},
                                           ContextCase{"Exit", ID_FILE_EXIT}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
