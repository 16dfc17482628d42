#include "engine/rename.h"

#include <cerrno>

#include "engine/journal_reader.h"
#include "engine/translatable.h"
#include "platform/file_identity.h"
#include "platform/file_io.h"
#include "platform/path_split.h"
#include "platform/safe_rename.h"

std::string ProposedName(std::string_view fileName, const FileIdTable& table, const Verdict& verdict) {
    if (verdict.status != STATUS_MISMATCH || !table.Valid(verdict.entryIndex)) return std::string(fileName);
    return SplitPath(fileName).baseName + "." + table[verdict.entryIndex].extension;
}

namespace {

constexpr const char* kNotSingleName = Translatable("not a single file name in its folder");

}  // namespace

std::optional<RenameFailure> RenameInFolder(const std::string& folder, const std::string& currentName,
                                            const std::string& newName, RenameRun& run) {
    const std::string oldPath = folder + currentName;
    const std::string newPath = folder + newName;
    // A table's extension or a typed name must not reach another folder.
    if (!IsSingleName(newName)) return RenameFailure{oldPath, newPath, kNotSingleName};
    // What lets an undo know the file again; a rename keeps both.
    const Result<FileIdentity> file = IdentityOfEntry(oldPath);
    const Result<FileIdentity> folderIdentity = IdentityOfFolder(folder.empty() ? "." : folder);
    if (std::optional<Failure> failure = RenameNoReplace(oldPath, newPath)) {
        return RenameFailure{oldPath, newPath, failure->reason, failure->code};
    }
    // A name kept as it was is no rename to take back.
    if (newName != currentName) {
        run.Record(folder, currentName, newName, file ? std::optional(*file) : std::nullopt,
                   folderIdentity ? std::optional(*folderIdentity) : std::nullopt);
    }
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
    return RenameFailure{oldPath, newPath, Translatable("the new name is taken")};
}

namespace {

// Why the rename `record` journalled must not be taken back, or nothing.
// `namesOnly` is set when the record does not say which file it renamed.
std::optional<std::string> WhyNotUndo(const JournalRecord& record, bool& namesOnly) {
    // A hand-edited record must not move a file between folders either way.
    if (!IsSingleName(record.oldName) || !IsSingleName(record.newName)) {
        return Translatable("the journal's names are not single names in one folder");
    }
    if (record.folderIdentity) {
        const Result<FileIdentity> folder = IdentityOfFolder(record.folder);
        if (!folder) return "the folder cannot be examined: " + folder.GetFailure().reason;
        if (*folder != *record.folderIdentity) return Translatable("the folder is not the one the file was renamed in");
    }
    const Result<FileIdentity> entry = IdentityOfEntry(record.folder + record.newName);
    if (!entry) {
        return entry.GetFailure().code == ENOENT ? Translatable("no file has this name any more")
                                                 : "the file cannot be examined: " + entry.GetFailure().reason;
    }
    namesOnly = !record.file;
    if (record.file) {
        if (entry->volume != record.file->volume || entry->index != record.file->index) {
            return Translatable("another file has taken this name");
        }
        if (entry->size != record.file->size) return Translatable("the file has changed since it was renamed");
    }
    return std::nullopt;
}

}  // namespace

RenameRunReport UndoRenameRun(const std::string& runId, RenameRun& run,
                              const std::function<void(const JournalRecord&)>& undone) {
    RenameRunReport report;
    const Result<JournalRun> journalled = ReadJournalRun(run.JournalPath(), runId);
    if (!journalled) {
        report.notice = "Nothing to undo: " + journalled.GetFailure().reason;
        return report;
    }
    report.warnings = journalled->damagedLines;
    report.mayBeIncomplete = journalled->mayBeIncomplete;
    run.TakesBack(journalled->id);
    size_t byNamesAlone = 0;
    for (auto it = journalled->records.rbegin(); it != journalled->records.rend(); ++it) {
        bool namesOnly = false;
        if (std::optional<std::string> reason = WhyNotUndo(*it, namesOnly)) {
            report.failures.push_back({it->folder + it->newName, it->folder + it->oldName, std::move(*reason)});
        } else if (auto failure = RenameInFolder(it->folder, it->newName, it->oldName, run)) {
            report.failures.push_back(std::move(*failure));
        } else {
            if (namesOnly) ++byNamesAlone;
            if (undone) undone(*it);
        }
    }
    if (byNamesAlone > 0) {
        report.warnings.push_back(std::to_string(byNamesAlone) +
                                  (byNamesAlone == 1 ? " rename was" : " renames were") +
                                  " taken back by name alone: the journal does not say which file it renamed");
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
