// The texts the status line shows.
#pragma once

#include <cstdint>
#include <string>

std::string AllFileText(int32_t totalFiles);                                   // "All File : %d"
std::string CheckFileText(const std::string& path);                           // "Check file: " + path
std::string CheckSummaryText(int32_t totalFiles, int32_t checkedFiles);       // "All File : %d  CheckFile : %d"
std::string CheckAbortedText(int32_t totalFiles, int32_t checkedFiles);       // "Check Aborted.  All File : ..."
