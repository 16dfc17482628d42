// Crossing between the model's byte strings and wx's strings. A wx program
// runs with the C library's locale left at "C", where the narrow-string
// conversions silently drop every non-ASCII character, so each crossing names
// its encoding.
#pragma once

#include <string>

#include <wx/string.h>

// A file name or path as the file system gave it; bytes that are not UTF-8
// (POSIX), or a lone surrogate carried in UTF-8 form (Windows), survive the
// round trip through FileNameBytes.
wxString FromFileName(const std::string& bytes);
std::string FileNameBytes(const wxString& text);

// A text of the program's own (UTF-8). Falls back to the file-name
// conversion when the text carries bytes from a file that are not UTF-8.
wxString FromProgramText(const std::string& utf8);

// "\r\n" line ends as "\n", for display.
std::string WithUnixLineEnds(std::string text);
