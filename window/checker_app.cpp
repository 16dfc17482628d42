#include "window/checker_app.h"

#include "platform/close_signals.h"
#include "platform/path_intake.h"
#include "window/help_page.h"
#include "window/main_dialog.h"
#include "window/message_boxes.h"
#include "window/open_dialogs.h"
#include "window/resource_ids.h"

wxBEGIN_EVENT_TABLE(CCheckerApp, wxApp)
    // The framework's Help command: nothing issues it, but if it comes, it
    // opens the same page as About > Help.
    EVT_MENU(ID_HELP, CCheckerApp::OnHelp)
wxEND_EVENT_TABLE()

std::vector<std::string> CommandLinePaths(const std::vector<std::string>& arguments) {
    std::vector<std::string> paths;
    for (size_t i = 1; i < arguments.size(); ++i) {
        std::string path = AbsolutePath(arguments[i]);
        if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
}

CMainDialog* OpenMainWindow(const std::vector<std::string>& paths) {
    auto* window = new CMainDialog();
    wxTheApp->SetTopWindow(window);
    window->OnInitDialog();
    window->Show();
    if (!paths.empty()) window->TakeInPaths(paths);
    return window;
}

bool CCheckerApp::OnInit() {
    // A request to end (SIGTERM, SIGINT and SIGHUP; on Windows the console's
    // Ctrl+C and close) closes the window as its close box does, so the
    // profile is written; the window's view timer looks for them.
    InstallCloseSignalHandlers();
    WatchModalDialogs();
    OpenMainWindow(m_commandLinePaths);
    return true;
}

void CCheckerApp::OnHelp(wxCommandEvent&) { OpenHelpPage(); }
