// The application object.
#pragma once

#include <string>
#include <vector>

#include <wx/app.h>

class CMainDialog;

class CCheckerApp : public wxApp {
public:
    // `commandLinePaths`: what CommandLinePaths made of the program's arguments.
    explicit CCheckerApp(std::vector<std::string> commandLinePaths = {})
        : m_commandLinePaths(std::move(commandLinePaths)) {}

    // Creates, prepares and shows the main window, which takes in the paths
    // the program was started with.
    bool OnInit() override;

private:
    void OnHelp(wxCommandEvent& event);

    std::vector<std::string> m_commandLinePaths;

    wxDECLARE_EVENT_TABLE();
};

// The arguments after the program's name as absolute paths, byte for byte:
// every argument is a path, none is an option. Made by main before the
// toolkit sees the command line.
std::vector<std::string> CommandLinePaths(const std::vector<std::string>& arguments);

// What OnInit does: the main window, shown, with `paths` handed in as a
// drop of them would be.
CMainDialog* OpenMainWindow(const std::vector<std::string>& paths = {});
