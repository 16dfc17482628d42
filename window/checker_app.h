// The application object.
#pragma once

#include <string>
#include <vector>

#include <wx/app.h>

class CMainDialog;

class CCheckerApp : public wxApp {
public:
    // Creates, prepares and shows the main window, which takes in the paths
    // the program was started with.
    bool OnInit() override;

private:
    void OnHelp(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};

// Makes FatalError show its message in a message box.
void InstallFatalErrorPresenter();

// Keeps the arguments after the program's name as absolute paths, byte for
// byte: every argument is a path, none is an option. Called by main before
// the toolkit sees the command line.
void KeepCommandLine(const std::vector<std::string>& arguments);

// What OnInit does: the main window, shown, with the command line's paths
// handed in as a drop of them would be.
CMainDialog* OpenMainWindow();
