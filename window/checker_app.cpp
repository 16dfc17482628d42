#include "window/checker_app.h"

#include "platform/close_signals.h"
#include "signature/fatal_error.h"
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

void InstallFatalErrorPresenter() { SetFatalErrorPresenter(&ShowFatalMessage); }

bool CCheckerApp::OnInit() {
    InstallFatalErrorPresenter();
    // SIGTERM, SIGINT and SIGHUP close the window as its close box does, so
    // the profile is written; the window's view timer looks for them.
    InstallCloseSignalHandlers();
    WatchModalDialogs();
    auto* window = new CMainDialog();
    SetTopWindow(window);
    window->OnInitDialog();
    window->Show();
    return true;
}

void CCheckerApp::OnHelp(wxCommandEvent&) { OpenHelpPage(); }
