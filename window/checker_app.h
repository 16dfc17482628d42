// The application object.
#pragma once

#include <string>
#include <vector>

#include <wx/app.h>

class CMainDialog;

// What the program was started with.
struct CommandLine {
    std::vector<std::string> paths;  // absolute, byte for byte
    bool checkAtOnce = false;        // Tool > Check as soon as the paths are in
};

class CCheckerApp : public wxApp {
public:
    explicit CCheckerApp(CommandLine commandLine = {}) : m_commandLine(std::move(commandLine)) {}

    // Creates, prepares and shows the main window, which takes in the paths
    // the program was started with.
    bool OnInit() override;

private:
    void OnHelp(wxCommandEvent& event);

    CommandLine m_commandLine;

    wxDECLARE_EVENT_TABLE();
};

// The arguments after the program's name: "--check" as the first one asks
// for a check of the rest (the file manager's "Check with Quorvane"); every
// other argument is a path, made absolute byte for byte, none is an option,
// so "./--check" names a file of that name. Made by main before the toolkit
// sees the command line.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// What OnInit does: the main window, shown, with the paths handed in as a
// drop of them would be, and checked once they are in when asked.
CMainDialog* OpenMainWindow(const CommandLine& commandLine = {});
