#include "engine/rename.h"

#include "engine/journal_reader.h"
#include "platform/file_io.h"
#include "platform/path_split.h"
#include "platform/safe_rename.h"

std::string ProposedName(std::string_view fileName, const FileIdTable& table, const Verdict& verdict) {
    if (verdict.status != STATUS_MISMATCH || !table.Valid(verdict.entryIndex)) return std::string(fileName);
    return SplitPath(fileName).baseName + "." + table[verdict.entryIndex].extension;
}

namespace {

constexpr char kNotSingleName[] = "not a single file name in its folder";

}  // namespace

std::optional<RenameFailure> RenameInFolder(const std::string& folder, const std::string& currentName,
                                            const std::string& newName, RenameRun& run) {
    const std::string oldPath = folder + currentName;
    const std::string newPath = folder + newName;
    // A table's extension or a typed name must not reach another folder.
    if (!IsSingleName(newName)) return RenameFailure{oldPath, newPath, kNotSingleName};
    if (std::optional<Failure> failure = RenameNoReplace(oldPath, newPath)) {
        return RenameFailure{oldPath, newPath, failure->reason};
    }
    // A name kept as it was is no rename to take back.
    if (newName != currentName) run.Record(folder, currentName, newName);
    return std::nullopt;
}

std::optional<RenameFailure> WouldRenameFail(const std::string& folder, const std::string& currentName,
                                             const std::string& newName) {
    const std::string oldPath = folder + currentName;
    const std::string newPath = folder + newName;
    if (!IsSingleName(newName)) return RenameFailure{oldPath, newPath, kNotSingleName};
    if (newName == currentName) return std::nullopt;
    if (!EntryExists(newPath)) return std::nullopt;
    // Another spelling of the same file (a change of case on a case-blind disk) is no clash.
    if (SameFile(oldPath, newPath, kRenameLinkPolicy)) return std::nullopt;
    return RenameFailure{oldPath, newPath, "the new name is taken"};
}

std::string NotJournalledNotice(const std::string& problem) {
    return "The files were renamed, but the renames were not journalled and cannot be undone:\n" + problem;
}

RenameRunReport UndoRenameRun(const std::string& runId, RenameRun& run,
                              const std::function<void(const JournalRecord&)>& undone) {
    RenameRunReport report;
    const Result<std::vector<JournalRecord>> records = ReadJournalRun(run.JournalPath(), runId);
    if (!records) {
        report.notice = "Nothing to undo: " + records.GetFailure().reason;
        return report;
    }
    for (auto it = records->rbegin(); it != records->rend(); ++it) {
        if (auto failure = RenameInFolder(it->folder, it->newName, it->oldName, run)) {
            report.failures.push_back(std::move(*failure));
        } else if (undone) {
            undone(*it);
        }
    }
    return report;
}

std::string RenameFailureReport(const std::vector<RenameFailure>& failures) {
    std::string report = failures.size() == 1 ? "This file was not renamed:\n" : "These files were not renamed:\n";
    for (const RenameFailure& failure : failures) {
        report += "\n" + failure.oldPath + "\n    -> " + failure.newPath + "\n    " + failure.reason + "\n";
    }
    return report;
}
