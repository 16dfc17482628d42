// Where the program finds the files it ships with (the signature file, the help page).
#pragma once

#include <string>
#include <vector>

// The name as given when it exists relative to the current directory, so a
// user's own copy there wins; otherwise the copy installed beside the program
// (../share/quorvane/ relative to the executable) when that exists; otherwise
// the name unchanged, so the caller's message names what it looked for.
std::string LocateDataFile(const std::string& name);
// The places LocateDataFile tries, in its order: the name as given, then the
// installed copy when the executable's folder is known. For messages.
std::vector<std::string> DataFilePlaces(const std::string& name);

// Folders that may hold the window's translation catalogues
// (<folder>/<language>/LC_MESSAGES/quorvane.mo): share/locale of the
// installation and locale in the build folder (Linux), locale beside the
// program (Windows, installed and built alike).
std::vector<std::string> TranslationFolders();

// For the command-line checker, which may run inside folders it does not
// trust: the user's own table in $XDG_CONFIG_HOME/quorvane/ (~/.config when
// unset), otherwise the installed copy, whose path is given even when it is
// missing so the caller's message names it. The current folder is never asked.
std::string LocateUserOrInstalledDataFile(const std::string& name);

// Folder for the program's own records (the journal of renames), ending with
// a separator: $XDG_STATE_HOME/quorvane/ (~/.local/state/quorvane/) on Linux,
// %LOCALAPPDATA%\Quorvane\ on Windows.
std::string UserStateFolder();
