#include "window/checker_app.h"

#include "signature/fatal_error.h"
#include "window/help_page.h"
#include "window/main_dialog.h"
#include "window/message_boxes.h"
#include "window/resource_ids.h"

wxBEGIN_EVENT_TABLE(CCheckerApp, wxApp)
    // The framework's Help command: nothing issues it, but if it comes, it
    // opens the same page as About > Help.
    EVT_MENU(ID_HELP, CCheckerApp::OnHelp)
wxEND_EVENT_TABLE()

void InstallFatalErrorPresenter() { SetFatalErrorPresenter(&ShowFatalMessage); }

bool CCheckerApp::OnInit() {
    InstallFatalErrorPresenter();
    auto* window = new CMainDialog();
    SetTopWindow(window);
    window->OnInitDialog();
    window->Show();
    return true;
}

void CCheckerApp::OnHelp(wxCommandEvent&) { OpenHelpPage(); }
