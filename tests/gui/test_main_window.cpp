// Start-up, remembered size and column widths, layout, close rules.
#include <fstream>

#include <wx/display.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include "list/file_list.h"
#include "gui_test_support.h"
#include "engine/path_check.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"
#include "window/status_line.h"

namespace {

// Stand-ins in the expectations for what the screen the test runs on gives.
constexpr int kAreaWidth = -1001;    // width of the screen's work area
constexpr int kAreaHeight = -1002;   // height of the screen's work area
constexpr int kScreenWidth = -1003;  // width of the whole screen

int OnThisScreen(int expected) {
    const wxDisplay display(0u);
    switch (expected) {
        case kAreaWidth: return display.GetClientArea().width;
        case kAreaHeight: return display.GetClientArea().height;
        case kScreenWidth: return display.GetGeometry().width;
        default: return expected;
    }
}

struct ProfileCase {
    const char* name;
    const char* stored;  // profile file contents, or nullptr for none
    int xSize, ySize, c00, c01, c02;
    bool lookInside = true;  // Tool > Look Inside Documents
};

void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.name; }

class StartProfile : public MainWindowTest, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(StartProfile, WindowTakesRememberedSizeAtTopLeft) {
    const ProfileCase& c = GetParam();
    if (c.stored) std::ofstream(ProfileFile()) << c.stored;
    CMainDialog* window = OpenWindow();
    EXPECT_EQ(window->GetTitle(), "Quorvane");
    EXPECT_EQ(window->GetPosition(), wxPoint(0, 0));
    EXPECT_EQ(window->GetSize(), wxSize(OnThisScreen(c.xSize), OnThisScreen(c.ySize)));
    CFileListView* list = window->FileListView();
    ASSERT_EQ(list->GetColumnCount(), 3);
    EXPECT_EQ(list->GetColumnWidth(0), OnThisScreen(c.c00));
    EXPECT_EQ(list->GetColumnWidth(1), OnThisScreen(c.c01));
    EXPECT_EQ(list->GetColumnWidth(2), OnThisScreen(c.c02));
    EXPECT_EQ(window->GetMenuBar()->IsChecked(ID_TOOL_LOOKINSIDE), c.lookInside);
    EXPECT_EQ(State().LookInside(), c.lookInside);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, StartProfile,
    ::testing::Values(
        ProfileCase{"Empty", nullptr, 150, 100, 300, 200, 200},
        ProfileCase{"Stored", "[Quorvaner]\nXSize=420\nYSize=310\nC00=111\nC01=122\nC02=133\n", 420, 310, 111, 122, 133},
        ProfileCase{"OnlySize", "[Quorvaner]\nXSize=333\nYSize=222\n", 333, 222, 300, 200, 200},
        ProfileCase{"LookInsideOff", "[Quorvaner]\nLookInside=0\n", 150, 100, 300, 200, 200, false},
        ProfileCase{"OtherSection", "[Elsewhere]\nXSize=333\nC00=5\n", 150, 100, 300, 200, 200},
        ProfileCase{"NoNumbers", "[Quorvaner]\nXSize=wide\nYSize=\nC00=12px\nC01=-\n", 150, 100, 300, 200, 200},
        // A damaged or foreign profile never puts the window or a column out of reach.
        ProfileCase{"LargerThanTheScreen", "[Quorvaner]\nXSize=999999\nYSize=999999\nC00=999999\n", kAreaWidth,
                    kAreaHeight, kScreenWidth, 200, 200},
        ProfileCase{"BeyondIntRange",
                    "[Quorvaner]\nXSize=2147483648\nYSize=99999999999999999999999\n"
                    "C00=-2147483649\nC01=2147483648\nC02=-99999999999999999999999\n",
                    kAreaWidth, kAreaHeight, 0, kScreenWidth, 0},
        ProfileCase{"NegativeColumns", "[Quorvaner]\nC00=-1\nC01=-2\nC02=-300\n", 150, 100, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ColumnsAndMenusAreTheDocumentedOnes) {
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
}

struct CloseCase {
    const char* name;
    bool useExitCommand;
};

class ProfileOnClose : public MainWindowTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ProfileOnClose, WritesCurrentSizeAndWidths) {
    CMainDialog* window = OpenWindow();
    window->SetSize(510, 370);
    ASSERT_TRUE(PumpUntil([window] { return window->GetSize() == wxSize(510, 370); }));
    window->FileListView()->SetColumnWidth(0, 91);
    window->FileListView()->SetColumnWidth(1, 92);
    window->FileListView()->SetColumnWidth(2, 93);
    if (GetParam().useExitCommand) {
        SendCommand(ID_FILE_EXIT);
        ASSERT_TRUE(PumpUntil([this] { return WindowGone(); }));
    } else {
        CloseWindow();
    }
    ASSERT_TRUE(WindowGone());
    const std::string profile = ReadFile(ProfileFile());
    EXPECT_NE(profile.find("[Quorvaner]"), std::string::npos) << profile;
    for (const char* line : {"XSize=510", "YSize=370", "C00=91", "C01=92", "C02=93"}) {
        EXPECT_NE(profile.find(line), std::string::npos) << line << " in\n" << profile;
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, ProfileOnClose,
                         ::testing::Values(CloseCase{"CloseRequest", false}, CloseCase{"FileExit", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ProfileFolderIsCreatedWhenMissing) {
    const fs::path nested = m_config.Path() / "deeper" / "still";
    setenv("XDG_CONFIG_HOME", nested.c_str(), 1);
    OpenWindow();
    CloseWindow();
    EXPECT_TRUE(fs::exists(nested / "Quorvane.conf"));
}

TEST_F(MainWindowTest, UnwritableProfileShowsNothing) {
    // A file where the folder should be: the profile cannot be written. The
    // hook fails the test for any box that appears.
    const fs::path blocker = m_config.Write("blocker", "x");
    setenv("XDG_CONFIG_HOME", (blocker / "sub").c_str(), 1);
    OpenWindow();
    CloseWindow();
    EXPECT_FALSE(fs::exists(blocker / "sub"));
}

class LayoutTest : public MainWindowTest, public ::testing::WithParamInterface<wxSize> {};

TEST_P(LayoutTest, ListAndStatusLineCoverTheClientArea) {
    CMainDialog* window = OpenWindow();
    const wxSize client = GetParam();
    window->SetClientSize(client);
    ASSERT_TRUE(PumpUntil([&] { return window->GetClientSize() == client; }));
    Pump();
    EXPECT_EQ(window->FileListView()->GetRect(), wxRect(0, 0, client.x, client.y - 16));
    EXPECT_EQ(window->StatusLine()->GetRect(), wxRect(0, client.y - 14, client.x, 14));
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, LayoutTest,
                         ::testing::Values(wxSize(400, 300), wxSize(640, 480), wxSize(233, 57)),
                         [](const auto& info) {
                             return std::to_string(info.param.x) + "x" + std::to_string(info.param.y);
                         });

TEST_F(MainWindowTest, FirstShowLaysTheControlsOut) {
    CMainDialog* window = OpenWindow();
    const wxSize client = window->GetClientSize();
    EXPECT_EQ(window->FileListView()->GetRect(), wxRect(0, 0, client.x, client.y - 16));
    EXPECT_EQ(window->StatusLine()->GetRect(), wxRect(0, client.y - 14, client.x, 14));
}

TEST_F(MainWindowTest, HiddenWindowIsNotLaidOut) {
    auto* window = new CMainDialog();
    m_window = window;
    window->OnInitDialog();
    const wxRect before = window->FileListView()->GetRect();
    window->LayoutControls();
    EXPECT_EQ(window->FileListView()->GetRect(), before);
}

TEST_F(MainWindowTest, EnterAndEscapeNeitherCloseNorRename) {
    CMainDialog* window = OpenWindow();
    for (const char* name : {"a.gif", "b.gif", "c.gif"}) DropPaths({m_files.Write(name, "GIF89a")});
    WaitUntilIdle();
    window->SetSize(400, 300);
    ASSERT_TRUE(PumpUntil([window] { return window->GetSize() == wxSize(400, 300); }));
    CFileListView* list = window->FileListView();
    list->SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    window->Raise();
    list->SetFocus();
    Pump();

    wxUIActionSimulator keys;
    // The keyboard does reach the list: Down moves the selection.
    keys.Char(WXK_DOWN);
    ASSERT_TRUE(PumpUntil([list] { return list->GetItemState(1, wxLIST_STATE_SELECTED) != 0; },
                          std::chrono::seconds(5)))
        << "key presses do not reach the list; the rest of this test would prove nothing";

    // No dialog is expected: a rename dialog or a box would fail the test.
    keys.Char(WXK_RETURN);
    keys.Char(WXK_ESCAPE);
    keys.Char(WXK_NUMPAD_ENTER);
    for (int i = 0; i < 20; ++i) Pump();
    ASSERT_FALSE(WindowGone());
    EXPECT_TRUE(window->IsShown());
    EXPECT_TRUE(fs::exists(m_files.Path() / "b.gif"));
}

}  // namespace
