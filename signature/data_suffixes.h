// Suffixes that commonly name text and data files. A program's name may hold
// a dot ("python3.11", "mount.nfs"), so a suffix the table does not know is
// taken as part of such a name; these never are: "cat.txt" is a program with
// the wrong extension. The README lists them for the table's readers.
#pragma once

#include <string_view>

// ASCII case folded; `suffix` without its dot.
bool CommonDataSuffix(std::string_view suffix);
