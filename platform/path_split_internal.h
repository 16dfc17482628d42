// Both systems' rules for splitting paths and telling single names, whichever
// system we run on. Internal to the system layer; declared here so that the
// tests check each system's rules on every build.
#pragma once

#include <string_view>

#include "platform/path_split.h"

// Windows rules: a leading "X:" is the drive; both '\' and '/' separate.
PathParts SplitPathWindows(std::string_view path);

// POSIX rules: no drive, '/' separates. A dot that opens the last component
// marks a hidden file, not an extension (".profile" has none).
PathParts SplitPathPosix(std::string_view path);

bool IsSingleNameWindows(std::string_view name);
bool IsSingleNamePosix(std::string_view name);
