// The remembered window size, column widths and Look Inside: read at start, fitted to the screen, written on close.
#include <fstream>
#include <string>

#include <wx/display.h>
#include <wx/menu.h>

#include "gui_test_support.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"

namespace {

// Stand-ins in the expectations for what the screen the test runs on gives.
constexpr int kAreaWidth = -1001;    // width of the screen's work area
constexpr int kAreaHeight = -1002;   // height of the screen's work area
constexpr int kScreenWidth = -1003;  // width of the whole screen
constexpr int kFirstStart = -1004;   // no size stored: one that shows the columns and about 15 rows

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
    CFileListView* list = window->FileListView();
    if (c.xSize == kFirstStart) {
        // Not the bare 150 x 100 default: every column and about 15 rows show, within the work area.
        const wxRect area = wxDisplay(0u).GetClientArea();
        EXPECT_LE(window->GetSize().x, area.width);
        EXPECT_LE(window->GetSize().y, area.height);
        EXPECT_GE(list->GetClientSize().x, c.c00 + c.c01 + c.c02) << list->GetClientSize().x;
        EXPECT_GE(list->GetCountPerPage(), 14);
        EXPECT_LE(list->GetCountPerPage(), 17);
    } else {
        EXPECT_EQ(window->GetSize(), wxSize(OnThisScreen(c.xSize), OnThisScreen(c.ySize)));
    }
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
        ProfileCase{"Empty", nullptr, kFirstStart, kFirstStart, 300, 200, 200},
        ProfileCase{"Stored", "[Quorvaner]\nXSize=420\nYSize=310\nC00=111\nC01=122\nC02=133\n", 420, 310, 111, 122, 133},
        ProfileCase{"OnlySize", "[Quorvaner]\nXSize=333\nYSize=222\n", 333, 222, 300, 200, 200},
        ProfileCase{"LookInsideOff", "[Quorvaner]\nLookInside=0\n", kFirstStart, kFirstStart, 300, 200, 200, false},
        ProfileCase{"OtherSection", "[Elsewhere]\nXSize=333\nC00=5\n", kFirstStart, kFirstStart, 300, 200, 200},
        ProfileCase{"NoNumbers", "[Quorvaner]\nXSize=wide\nYSize=\nC00=12px\nC01=-\n", kFirstStart, kFirstStart,
                    300, 200, 200},
        // A damaged or foreign profile never puts the window or a column out of reach.
        ProfileCase{"LargerThanTheScreen", "[Quorvaner]\nXSize=999999\nYSize=999999\nC00=999999\n", kAreaWidth,
                    kAreaHeight, kScreenWidth, 200, 200},
        ProfileCase{"BeyondIntRange",
                    "[Quorvaner]\nXSize=2147483648\nYSize=99999999999999999999999\n"
                    "C00=-2147483649\nC01=2147483648\nC02=-99999999999999999999999\n",
                    kAreaWidth, kAreaHeight, 0, kScreenWidth, 0},
        ProfileCase{"NegativeColumns", "[Quorvaner]\nC00=-1\nC01=-2\nC02=-300\nXSize=420\nYSize=310\n", 420, 310,
                    0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

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

}  // namespace
