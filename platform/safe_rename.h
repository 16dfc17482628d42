// Renaming that never replaces another file.
#pragma once

#include <string>

struct RenameOutcome {
    bool ok = false;
    int error = 0;          // errno of the failure, 0 on success
    std::string reason;     // the system's words for the failure, UTF-8
};

// Renames `from` to `to` unless `to` already names another file. Renaming a
// file onto its own path succeeds and changes nothing; a change of letter case
// only is allowed, also on file systems that ignore case.
RenameOutcome RenameNoReplace(const std::string& from, const std::string& to);
