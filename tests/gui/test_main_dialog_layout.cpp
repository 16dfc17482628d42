// The main window's controls: the list's columns and style, the status line, and how both cover the client area.
#include <optional>
#include <string>

#include <wx/listctrl.h>

#include "gui_test_support.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"
#include "window/status_line.h"

namespace {

TEST_F(MainWindowTest, ControlsAreTheDocumentedOnes) {
    CMainDialog* window = OpenWindow();
    CFileListView* list = window->FileListView();
    const char* headers[] = {"Location", "Filename", "Expect type"};
    for (int column = 0; column < 3; ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        ASSERT_TRUE(list->GetColumn(column, item));
        EXPECT_EQ(item.GetText(), headers[column]);
    }
    EXPECT_TRUE(list->HasFlag(wxLC_REPORT));
    EXPECT_TRUE(list->HasFlag(wxLC_VIRTUAL));
    EXPECT_FALSE(list->HasFlag(wxLC_SINGLE_SEL));
    EXPECT_FALSE(list->HasFlag(wxLC_EDIT_LABELS));
    EXPECT_FALSE(window->StatusLine()->IsEnabled());
    EXPECT_EQ(window->StatusLine()->GetText(), "");
    EXPECT_EQ(window->GetId(), IDD_MAIN_DIALOG);
    EXPECT_EQ(list->GetId(), IDC_FILE_LIST);
    EXPECT_EQ(window->StatusLine()->GetId(), IDC_STATUS_LINE);
    EXPECT_TRUE(window->GetIcon().IsOk());
    // The list takes the keys from the start, without a Tab first.
    EXPECT_TRUE(wxWindow::FindFocus() == list || wxWindow::FindFocus() == list->RowsWindow());
}

struct LayoutCase {
    const char* name;
    std::optional<wxSize> client;  // none: as the first show leaves it
};

class LayoutTest : public MainWindowTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, ListAndStatusLineCoverTheClientArea) {
    CMainDialog* window = OpenWindow();
    const wxSize client = GetParam().client.value_or(window->GetClientSize());
    if (GetParam().client) {
        window->SetClientSize(client);
        ASSERT_TRUE(PumpUntil([&] { return window->GetClientSize() == client; }));
        Pump();
    }
    // The status line is as high as a line of the normal font needs; the list takes the rest.
    const int line = window->StatusLine()->LineHeight();
    EXPECT_GE(line, window->GetCharHeight() + 2);
    EXPECT_EQ(window->FileListView()->GetRect(), wxRect(0, 0, client.x, std::max(0, client.y - line - 2)));
    EXPECT_EQ(window->StatusLine()->GetRect(), wxRect(0, client.y - line, client.x, line));
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, LayoutTest,
                         ::testing::Values(LayoutCase{"FirstShow", std::nullopt},
                                           LayoutCase{"400x300", wxSize(400, 300)},
                                           LayoutCase{"640x480", wxSize(640, 480)},
                                           LayoutCase{"233x57", wxSize(233, 57)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, HiddenWindowIsNotLaidOut) {
    auto* window = new CMainDialog();
    m_window = window;
    window->OnInitDialog();
    const wxRect before = window->FileListView()->GetRect();
    window->LayoutControls();
    EXPECT_EQ(window->FileListView()->GetRect(), before);
}

}  // namespace
