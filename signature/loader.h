// Reading the signature file into FileIdTable.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kDataFileName = "Quorvane.dat";
inline constexpr const char* kHeaderTemplate = "< File ID Data - V999 9999/99/99 >";

// Number of occurrences of `c` in `text`.
int CountChar(std::string_view text, char c);

// Copies `line` from `start` up to the next comma or the end into `destination`;
// returns the position of that comma (or of the end).
int ReadField(std::string& destination, std::string_view line, int start);

// Decodes pairs of digits ("A"-"F" are 10-15, any other character counts as its
// code minus '0'); an unpaired last digit yields nothing. Writes a zero byte
// after the output and returns the number of bytes; `destination` must hold
// text.size() / 2 + 1 bytes.
int HexToBytes(unsigned char* destination, std::string_view text);

// Fills FileIdTable from an open stream (read as bytes; line ends are handled
// here). Returns the message of the first defect, or nothing.
std::optional<std::string> ReadFileIdData(std::FILE* file, const std::string& headerTemplate);

// Fills FileIdTable from the file. Returns the message of the first defect, or
// nothing when the whole file was read.
std::optional<std::string> TryLoadFileIdData(const std::string& fileName, const std::string& headerTemplate);

// As above, but a defect ends the process through FatalError.
void LoadFileIdData(const std::string& fileName, const std::string& headerTemplate);
