#include "list/status_texts.h"

std::string AllFileText(int32_t totalFiles) { return "All File : " + std::to_string(totalFiles); }

std::string CheckFileText(const std::string& path) { return "Check file: " + path; }

std::string CheckSummaryText(int32_t totalFiles, int32_t checkedFiles) {
    return AllFileText(totalFiles) + "  CheckFile : " + std::to_string(checkedFiles);
}

std::string CheckAbortedText(int32_t totalFiles, int32_t checkedFiles) {
    return "Check Aborted.  " + CheckSummaryText(totalFiles, checkedFiles);
}
