// Renaming that never replaces another file.
#pragma once

#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/file_io.h"

// Renames `from` to `to` unless `to` already names another file (code EEXIST).
// Renaming a file onto its own path succeeds and changes nothing; a change of
// letter case only is allowed, also on file systems that ignore case.
std::optional<Failure> RenameNoReplace(const std::string& from, const std::string& to);

// Whether RenameNoReplace takes a symbolic link to `from` as another spelling
// of it or as another file; a dry run must judge a taken name the same way.
extern const SymbolicLinks kRenameLinkPolicy;
