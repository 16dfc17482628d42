// The message of a signature table the window cannot start with.
#pragma once

#include <string>

struct TableDefect;

// The table's own message as its first lines, unchanged, then in English
// what is wrong and, when the table was not found, the places it was looked
// for (the current folder's name made absolute).
std::string StartupErrorText(const std::string& dataFile, const TableDefect& defect);
