#include "gui_test_support.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include <wx/app.h>
#include <wx/display.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include "list/file_list.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"
#include "window/status_line.h"

void Pump() {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    wxTheApp->ProcessIdle();
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

int TestDialogHook::Enter(wxDialog* dialog) {
    const int answer = wxTestingModalHook::Enter(dialog);
    return answer == wxID_NONE ? wxID_CANCEL : answer;
}

void TestDialogHook::ReportFailure(const wxString& message) { ADD_FAILURE() << message.utf8_string(); }

int AnswerBox::OnInvoked(wxMessageDialog* dialog) const {
    m_seen->push_back({dialog->GetMessage(), dialog->GetTitle(), dialog->GetMessageDialogStyle()});
    return m_answer;
}

int AnswerRename::OnInvoked(CRenameDialog* dialog) const {
    m_seen->push_back({dialog->BeforeName(), dialog->AfterName()});
    if (m_typed) dialog->AfterField()->SetValue(*m_typed);
    return m_answer;
}

const char* const kTestSignatureTable =
    "< File ID Data - V001 2026/12/07 >\r\n"
    "Window test signatures\r\n"
    "0,89504E470D0A1A0A,0,,PNG image,png\r\n"
    "0,474946383961,0,,GIF image,gif\r\n"
    "0,255044462D,0,,PDF document,pdf\r\n";

void MainWindowTest::SetUp() {
    m_home = fs::current_path();
    m_work.Write("Quorvane.dat", kTestSignatureTable);
    fs::current_path(m_work.Path());
    setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
    m_dialogs = std::make_unique<TestDialogHook>();
}

void MainWindowTest::TearDown() {
    // Its workers end with the window, before the next test opens one.
    if (m_window) CloseWindow();
    m_dialogs->Verify();
    m_dialogs.reset();
    fs::current_path(m_home);
}

CMainDialog* MainWindowTest::OpenWindow() {
    auto* window = new CMainDialog();
    window->OnInitDialog();
    window->Show();
    m_window = window;
    EXPECT_TRUE(PumpUntil([window] { return window->IsShownOnScreen(); }));
    Pump();
    return window;
}

void MainWindowTest::CloseWindow() {
    m_window->Close();
    EXPECT_TRUE(PumpUntil([this] { return !m_window; }));
}

void MainWindowTest::SendCommand(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(m_window.get());
    m_window->GetEventHandler()->ProcessEvent(event);
}

void MainWindowTest::DropPaths(const std::vector<fs::path>& paths, bool waitForIntake) {
    // The event takes ownership of the array.
    auto* files = new wxString[paths.size()];
    for (size_t i = 0; i < paths.size(); ++i) files[i] = wxString(paths[i].c_str(), *wxConvFileName);
    wxDropFilesEvent event(wxEVT_DROP_FILES, static_cast<int>(paths.size()), files);
    const int32_t before = Rows().RowCount();
    m_window->GetEventHandler()->ProcessEvent(event);
    // The drop's worker marks itself busy only once it runs: wait for its total.
    if (waitForIntake) {
        EXPECT_TRUE(PumpUntil([&] {
            return Rows().RowCount() == before + static_cast<int32_t>(paths.size()) && Idle();
        }));
    }
}

void MainWindowTest::WaitUntilIdle() {
    EXPECT_TRUE(PumpUntil([this] { return Idle(); }));
    Pump();
    if (m_window) m_window->SynchroniseView();
}

void MainWindowTest::SelectRows(const std::vector<long>& rows) {
    // As Ctrl+clicks do: the selection is the model's.
    for (long row : rows) Rows().SetSelected(static_cast<int32_t>(row), true);
    Pump();
}

void MainWindowTest::DoubleClickList() {
    CFileListView* list = m_window->FileListView();
    wxListEvent event(wxEVT_LIST_ITEM_ACTIVATED, IDC_FILE_LIST);
    event.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(event);
}

void MainWindowTest::PressInList(const std::function<void(wxUIActionSimulator&)>& type) {
    m_window->Raise();
    m_window->FileListView()->SetFocus();
    Pump();
    wxUIActionSimulator keys;
    type(keys);
    Pump();
}

wxString MainWindowTest::StatusLineText() const { return m_window->StatusLine()->GetText(); }

void RenameTest::DropAndCheck(const std::vector<std::pair<std::string, std::string>>& files) {
    OpenWindow();
    std::vector<fs::path> paths;
    for (const auto& [name, bytes] : files) paths.push_back(m_files.Write(name, bytes));
    DropPaths(paths);
    WaitUntilIdle();
    SendCommand(ID_TOOL_CHECK);
    WaitUntilIdle();
}

int ShowReport::OnInvoked(CRenameReportDialog* dialog) const {
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

const std::vector<WaysIn::PathCase> WaysIn::kPathCases = {
    {"file in a folder", "Photos/holiday.jpg", false},
    {"folder", "Reports", true},
    {"name without extension", "README", false},
    {"name that is not UTF-8", "caf\xE9-\xFF.gif", false},
    {"name with spaces", "my notes 2.txt", false},
};

std::vector<fs::path> WaysIn::MakeFiles() const {
    fs::create_directory(m_files.Path() / "Photos");
    std::vector<fs::path> paths;
    for (const PathCase& c : kPathCases) {
        const fs::path path = m_files.Path() / c.path;
        if (c.isFolder) {
            fs::create_directory(path);
        } else {
            m_files.Write(c.path, "GIF89a");
        }
        paths.push_back(path);
    }
    return paths;
}

void WaysIn::ExpectTheRowsADropGives() {
    ASSERT_TRUE(PumpUntil([this] { return Rows().RowCount() == 5; })) << "rows: " << Rows().RowCount();
    WaitUntilIdle();
    ASSERT_EQ(Rows().RowCount(), static_cast<int32_t>(kPathCases.size()));
    for (size_t i = 0; i < kPathCases.size(); ++i) {
        const fs::path expected = m_files.Path() / kPathCases[i].path;
        const auto row = static_cast<int32_t>(i);
        EXPECT_EQ(Rows().GetText(row, kColumnLocation), expected.parent_path().string() + "/") << kPathCases[i].what;
        EXPECT_EQ(Rows().GetText(row, kColumnFileName), expected.filename().string()) << kPathCases[i].what;
        EXPECT_EQ(Rows().VerdictOf(row).status, STATUS_UNKNOWN) << kPathCases[i].what;
    }
    EXPECT_EQ(m_window->FileListView()->GetItemCount(), 5);
    EXPECT_EQ(StatusLineText(), "All File : 5");
}
