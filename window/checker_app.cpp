#include "window/checker_app.h"

#include "platform/close_signals.h"
#include "platform/path_intake.h"
#include "window/help_page.h"
#include "window/main_dialog.h"
#include "window/message_boxes.h"
#include "window/open_dialogs.h"
#include "window/resource_ids.h"
#include "window/translations.h"

wxBEGIN_EVENT_TABLE(CCheckerApp, wxApp)
    // The framework's Help command: nothing issues it, but if it comes, it
    // opens the same page as About > Help.
    EVT_MENU(ID_HELP, CCheckerApp::OnHelp)
wxEND_EVENT_TABLE()

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    size_t first = 1;
    if (arguments.size() > 1 && arguments[1] == "--check") {
        commandLine.checkAtOnce = true;
        first = 2;
    }
    for (size_t i = first; i < arguments.size(); ++i) {
        std::string path = AbsolutePath(arguments[i]);
        if (!path.empty()) commandLine.paths.push_back(std::move(path));
    }
    return commandLine;
}

CMainDialog* OpenMainWindow(const CommandLine& commandLine) {
    auto* window = new CMainDialog();
    wxTheApp->SetTopWindow(window);
    window->OnInitDialog();
    window->Show();
    if (!commandLine.paths.empty()) window->TakeInPaths(commandLine.paths, commandLine.checkAtOnce);
    return window;
}

bool CCheckerApp::OnInit() {
    // A request to end (SIGTERM, SIGINT and SIGHUP; on Windows the console's
    // Ctrl+C and close) closes the window as its close box does, so the
    // profile is written; the window's view timer looks for them.
    InstallCloseSignalHandlers();
    WatchModalDialogs();
    InstallTranslations();
    OpenMainWindow(m_commandLine);
    return true;
}

void CCheckerApp::OnHelp(wxCommandEvent&) { OpenHelpPage(); }
