// Reading the signature file into a table.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "signature/file_id_table.h"

inline constexpr const char* kDataFileName = "Quorvane.dat";
inline constexpr const char* kHeaderTemplate = "< File ID Data - V999 9999/99/99 >";

// Number of occurrences of `c` in `text`.
int CountChar(std::string_view text, char c);

// Copies `line` from `start` up to the next comma or the end into `destination`;
// returns the position of that comma (or of the end).
int ReadField(std::string& destination, std::string_view line, int start);

// Reads an offset field as the loader does: leading blanks, a sign, then
// decimal digits up to the first other character (none read as 0); clamped
// to the int32_t range.
int32_t ParseOffset(std::string_view text);

// Decodes pairs of digits ("A"-"F" are 10-15, any other character counts as its
// code minus '0'); an unpaired last digit yields nothing. Writes a zero byte
// after the output and returns the number of bytes; `destination` must hold
// text.size() / 2 + 1 bytes.
int HexToBytes(unsigned char* destination, std::string_view text);

// What is wrong with a signature file.
struct TableDefect {
    std::string message;  // the window's message, with CR LF line ends
    int line = 0;         // the file's line, counted from 1, or 0 for the file as a whole
    std::string reason;   // in English, for the command line
};

// "FILE: line N: reason", or "FILE: reason", on one line.
std::string ExplainDefect(const std::string& fileName, const TableDefect& defect);

// Replaces `table` with the entries of an open stream (read as bytes; line
// ends are handled here). Returns the message of the first defect, or nothing.
std::optional<TableDefect> ReadFileIdData(std::FILE* file, const std::string& headerTemplate, FileIdTable& table);

// The same from a file. Returns the message of the first defect, or nothing
// when the whole file was read.
std::optional<TableDefect> TryLoadFileIdData(const std::string& fileName, const std::string& headerTemplate,
                                             FileIdTable& table);

