// The drop target: its cursor refuses a drop while the window takes none.
#include <wx/dnd.h>

#include "gui_test_support.h"
#include "list/run_state.h"

namespace {

TEST_F(MainWindowTest, DropCursorRefusesWhileDropsAreRefused) {
    CMainDialog* window = OpenWindow();
    wxDropTarget* target = window->GetDropTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->OnDragOver(10, 10, wxDragCopy), wxDragCopy);
    ASSERT_TRUE(Runs().TryBeginRenaming());
    EXPECT_EQ(target->OnDragOver(10, 10, wxDragCopy), wxDragNone);
    Runs().EndRenaming();
    EXPECT_EQ(target->OnDragOver(10, 10, wxDragCopy), wxDragCopy);
}

}  // namespace
