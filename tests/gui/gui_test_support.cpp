#include "gui_test_support.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include <wx/app.h>
#include <wx/listctrl.h>
#include <wx/uiaction.h>

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
    CFileListView* list = m_window->FileListView();
    for (long row : rows) list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
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
