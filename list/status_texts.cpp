#include "list/status_texts.h"

std::string AllFileText(int32_t totalFiles) { return "All File : " + std::to_string(totalFiles); }

std::string CheckFileText(const std::string& path) { return "Check file: " + path; }

std::string CheckSummaryText(int32_t totalFiles, int32_t checkedFiles) {
    return AllFileText(totalFiles) + "  CheckFile : " + std::to_string(checkedFiles);
}

std::string CheckAbortedText(int32_t totalFiles, int32_t checkedFiles) {
    return "Check Aborted.  " + CheckSummaryText(totalFiles, checkedFiles);
}

namespace {

std::string Counted(int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string RenamedText(int64_t renamed, int64_t notRenamed) {
    std::string text = "Renamed " + Counted(renamed, "file", "files");
    if (notRenamed > 0) text += ", " + std::to_string(notRenamed) + " not renamed";
    return text;
}

std::string TookBackText(int64_t undone, int64_t notUndone) {
    std::string text = "Took back " + Counted(undone, "rename", "renames");
    if (notUndone > 0) text += ", " + std::to_string(notUndone) + " not taken back";
    return text;
}

std::string UndoCommandText(const std::optional<UndoOffer>& offer) {
    if (!offer) return "&Undo Last Rename Run";
    const char* what = offer->kind == "auto"      ? "Auto Rename"
                       : offer->kind == "dialog"  ? "Rename One by One"
                       : offer->kind == "command" ? "Command-Line Rename"
                                                  : "Last Rename Run";
    return std::string("&Undo ") + what + " (" + Counted(static_cast<int64_t>(offer->renames), "file", "files") +
           ")";
}

std::string NothingToRenameText() { return "Nothing renamed: no selected file has a proposed name"; }

std::string CountsText(int32_t mismatches, int32_t matches, int32_t unknown, int32_t folders, int32_t unreadable) {
    return Counted(mismatches, "mismatch", "mismatches") + ", " + Counted(matches, "match", "matches") + ", " +
           std::to_string(unknown) + " unknown, " + Counted(folders, "folder", "folders") + ", " +
           std::to_string(unreadable) + " unreadable";
}

std::string UnreadableFoldersNote(const std::vector<std::string>& folders) {
    if (folders.empty()) return {};
    if (folders.size() == 1) return "  (could not read " + folders.front() + ")";
    return "  (" + std::to_string(folders.size()) + " folders could not be read)";
}
