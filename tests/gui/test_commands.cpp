// Drops, the check run, File > New, the stop question, menus, About and Help.
#include <cstdlib>
#include <fstream>
#include <string>

#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/button.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "list/file_list.h"
#include "list/status_texts.h"
#include "gui_test_support.h"
#include "list/run_state.h"
#include "window/about_dialog.h"
#include "window/file_list_view.h"
#include "window/menus.h"
#include "window/resource_ids.h"

using namespace std::string_literals;

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
    EXPECT_EQ(rows.GetImage(0), STATUS_MISMATCH);
    EXPECT_TRUE(list->GetItemText(0, 2).EndsWith("; png")) << list->GetItemText(0, 2);
    EXPECT_EQ(rows.GetImage(1), STATUS_MATCH);
    EXPECT_EQ(list->GetItemText(1, 2), "");
    EXPECT_EQ(rows.GetImage(2), STATUS_UNKNOWN);
    EXPECT_EQ(rows.GetImage(3), STATUS_FOLDER);
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
    bool busy;
    int answer;          // ignored when no box is expected
    bool expectBox;
    bool expectCleared;
};

class NewList : public MainWindowTest, public ::testing::WithParamInterface<NewListCase> {};

TEST_P(NewList, AsksAndClearsOnlyOnYes) {
    const NewListCase& c = GetParam();
    OpenWindow();
    DropPaths({m_files.Write("a.gif", kPngBytes), m_files.Write("b.pdf", kPdfBytes)});
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
    EXPECT_EQ(Rows().RowCount(), c.expectCleared ? 0 : 2);
    EXPECT_EQ(m_window->FileListView()->GetItemCount(), c.expectCleared ? 0 : 2);
    EXPECT_EQ(StatusLineText(), c.expectCleared ? wxString("All File : 0") : statusBefore);
}

INSTANTIATE_TEST_SUITE_P(Answers, NewList,
                         ::testing::Values(NewListCase{"Yes", false, wxID_YES, true, true},
                                           NewListCase{"No", false, wxID_NO, true, false},
                                           NewListCase{"Busy", true, 0, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, NewOnEmptyListStillAsks) {
    OpenWindow();
    std::vector<SeenBox> boxes;
    m_dialogs->Expect(AnswerBox(wxID_YES, &boxes));
    SendCommand(ID_FILE_NEWLIST);
    m_window->SynchroniseView();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(StatusLineText(), "All File : 0");
}

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

TEST_F(MainWindowTest, ExitDuringCheckRunEndsAtOnceAndWritesProfile) {
    CMainDialog* window = OpenWindow();
    const fs::path file = m_files.Write("same.gif", kPngBytes);
    // One file many times over: a run long enough to be caught in the middle.
    DropPaths(std::vector<fs::path>(60000, file));
    WaitUntilIdle();
    window->SetSize(480, 320);
    ASSERT_TRUE(PumpUntil([window] { return window->GetSize() == wxSize(480, 320); }));
    SendCommand(ID_TOOL_CHECK);
    ASSERT_TRUE(Runs().CheckRunning()) << "the run ended before Exit could be tried";
    SendCommand(ID_FILE_EXIT);  // no box is expected
    ASSERT_TRUE(PumpUntil([this] { return WindowGone(); }));
    const std::string profile = ReadFile(ProfileFile());
    EXPECT_NE(profile.find("XSize=480"), std::string::npos) << profile;
    EXPECT_NE(profile.find("YSize=320"), std::string::npos) << profile;
}

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
            EXPECT_FALSE(item->GetAccel()) << item->GetItemLabel().utf8_string();
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
        {"&Tool/&Check", ID_TOOL_CHECK},     {"&Tool/-", 0}, {"&Tool/Auto Rename", ID_TOOL_AUTORENAME},
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

// Inspects the About dialog instead of showing it.
class InspectAbout : public wxExpectModalBase<CAboutDialog, InspectAbout> {
public:
    explicit InspectAbout(bool* seen) : m_seen(seen) {}

protected:
    int OnInvoked(CAboutDialog* dialog) const override {
        *m_seen = true;
        EXPECT_EQ(dialog->GetTitle(), "About Quorvane");
        EXPECT_EQ(dialog->GetClientSize(), dialog->ConvertDialogToPixels(wxSize(150, 83)));
        auto* ok = dynamic_cast<wxButton*>(dialog->FindWindow(wxID_OK));
        EXPECT_NE(ok, nullptr);
        if (ok) {
            EXPECT_EQ(ok->GetLabel(), "OK");
            EXPECT_EQ(ok->GetRect(), wxRect(dialog->ConvertDialogToPixels(wxPoint(7, 64)),
                                            dialog->ConvertDialogToPixels(wxSize(136, 12))));
        }
        wxStaticText* text = nullptr;
        for (wxWindow* child : dialog->GetChildren()) {
            if (auto* label = dynamic_cast<wxStaticText*>(child)) text = label;
        }
        EXPECT_NE(text, nullptr);
        if (text) {
            EXPECT_EQ(text->GetLabel().BeforeFirst('\n'), "Quorvane Version1.10");
            EXPECT_GE(text->GetLabel().Freq('\n'), 1);
            EXPECT_EQ(text->GetRect(), wxRect(dialog->ConvertDialogToPixels(wxPoint(7, 7)),
                                              dialog->ConvertDialogToPixels(wxSize(136, 51))));
        }
        return wxID_OK;
    }

private:
    bool* m_seen;
};

TEST_F(MainWindowTest, AboutShowsTitleAndVersion) {
    OpenWindow();
    bool seen = false;
    m_dialogs->Expect(InspectAbout(&seen));
    SendCommand(ID_ABOUT_BOX);
    EXPECT_TRUE(seen);
}

// A stand-in for the desktop's opener, first on PATH, that writes down what
// it was asked to open.
class HelpTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        const fs::path opener = m_tools.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.opened\"\n");
        fs::permissions(opener, fs::perms::owner_all);
        setenv("PATH", (m_tools.Path().string() + ":" + m_oldPath).c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", m_oldPath.c_str(), 1);
        MainWindowTest::TearDown();
    }
    fs::path Opened() const { return m_tools.Path() / "xdg-open.opened"; }

    TempDir m_tools;
    std::string m_oldPath;
};

TEST_F(HelpTest, HelpOpensThePageOfTheCurrentFolder) {
    fs::create_directory(m_work.Path() / "html");
    m_work.Write("html/index.htm", "<html></html>");
    OpenWindow();
    SendCommand(ID_HELP_INDEX);
    ASSERT_TRUE(PumpUntil([this] { return fs::exists(Opened()) && !ReadFile(Opened()).empty(); }));
    const std::string opened = ReadFile(Opened());
    const std::string page = (m_work.Path() / "html" / "index.htm").string();
    EXPECT_EQ(opened, page);
}

TEST_F(HelpTest, FrameworkHelpCommandOpensTheSamePage) {
    fs::create_directory(m_work.Path() / "html");
    m_work.Write("html/index.htm", "<html></html>");
    OpenWindow();
    SendCommand(ID_HELP);
    ASSERT_TRUE(PumpUntil([this] { return fs::exists(Opened()) && !ReadFile(Opened()).empty(); }));
    EXPECT_NE(ReadFile(Opened()).find("html/index.htm"), std::string::npos);
}

TEST_F(HelpTest, MissingPageOpensNothingAndSaysNothing) {
    OpenWindow();  // the current folder has no html folder
    SendCommand(ID_HELP_INDEX);
    for (int i = 0; i < 50; ++i) Pump();
    EXPECT_FALSE(fs::exists(Opened()));
}

}  // namespace

namespace {

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
