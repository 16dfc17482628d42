// The application object.
#pragma once

#include <wx/app.h>

class CCheckerApp : public wxApp {
public:
    // Creates, prepares and shows the main window. The program takes no
    // arguments; any given are ignored.
    bool OnInit() override;

private:
    void OnHelp(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};

// Makes FatalError show its message in a message box.
void InstallFatalErrorPresenter();
