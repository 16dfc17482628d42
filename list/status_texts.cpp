#include "list/status_texts.h"

#include "list/ui_text.h"

std::string AllFileText(int32_t totalFiles) { return FillIn(UiText("All File : %s"), {std::to_string(totalFiles)}); }

std::string CheckFileText(const std::string& path) { return FillIn(UiText("Check file: %s"), {path}); }

std::string CheckSummaryText(int32_t totalFiles, int32_t checkedFiles) {
    return FillIn(UiText("All File : %s  CheckFile : %s"), {std::to_string(totalFiles), std::to_string(checkedFiles)});
}

std::string CheckAbortedText(int32_t totalFiles, int32_t checkedFiles) {
    return FillIn(UiText("Check Aborted.  %s"), {CheckSummaryText(totalFiles, checkedFiles)});
}

namespace {

// `count` in a text with a singular and a plural form.
std::string Counted(int64_t count, const char* one, const char* many) {
    return FillIn(UiPlural(one, many, static_cast<uint64_t>(count)), {std::to_string(count)});
}

}  // namespace

std::string RenamedText(int64_t renamed, int64_t notRenamed) {
    std::string text = Counted(renamed, "Renamed %s file", "Renamed %s files");
    if (notRenamed > 0) text += FillIn(UiText(", %s not renamed"), {std::to_string(notRenamed)});
    return text;
}

std::string TookBackText(int64_t undone, int64_t notUndone) {
    std::string text = Counted(undone, "Took back %s rename", "Took back %s renames");
    if (notUndone > 0) text += FillIn(UiText(", %s not taken back"), {std::to_string(notUndone)});
    return text;
}

std::string UndoCommandText(const std::optional<UndoOffer>& offer) {
    if (!offer) return UiText("&Undo Last Rename Run");
    const auto renames = static_cast<int64_t>(offer->renames);
    if (offer->kind == "auto") return Counted(renames, "&Undo Auto Rename (%s file)", "&Undo Auto Rename (%s files)");
    if (offer->kind == "dialog") {
        return Counted(renames, "&Undo Rename One by One (%s file)", "&Undo Rename One by One (%s files)");
    }
    if (offer->kind == "command") {
        return Counted(renames, "&Undo Command-Line Rename (%s file)", "&Undo Command-Line Rename (%s files)");
    }
    return Counted(renames, "&Undo Last Rename Run (%s file)", "&Undo Last Rename Run (%s files)");
}

std::string NothingToRenameText() { return UiText("Nothing renamed: no selected file has a proposed name"); }

std::string CountsText(int32_t mismatches, int32_t matches, int32_t unknown, int32_t folders, int32_t unreadable) {
    return Counted(mismatches, "%s mismatch", "%s mismatches") + ", " + Counted(matches, "%s match", "%s matches") +
           ", " + FillIn(UiText("%s unknown"), {std::to_string(unknown)}) + ", " +
           Counted(folders, "%s folder", "%s folders") + ", " +
           FillIn(UiText("%s unreadable"), {std::to_string(unreadable)});
}

std::string UnreadableFoldersNote(const std::vector<std::string>& folders) {
    if (folders.empty()) return {};
    if (folders.size() == 1) return FillIn(UiText("  (could not read %s)"), {folders.front()});
    return FillIn(UiText("  (%s folders could not be read)"), {std::to_string(folders.size())});
}

std::string NotJournalledNotice(const std::string& problem) {
    return FillIn(UiText("The files were renamed, but the renames were not journalled and cannot be undone:\n%s"),
                  {problem});
}

std::string UndoWarningsText(const std::vector<std::string>& warnings, bool mayBeIncomplete) {
    if (warnings.empty()) return {};
    std::string text = UiText("The undo could not be sure of everything:") + "\n";
    for (const std::string& warning : warnings) text += "\n" + warning;
    if (mayBeIncomplete) {
        text += "\n\n" + UiText("A damaged line may have held a rename of this run; such a file keeps its new name.");
    }
    return text;
}
