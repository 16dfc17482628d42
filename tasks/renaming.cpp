#include "tasks/renaming.h"

#include "filelist/file_list.h"
#include "platform/path_split.h"
#include "platform/safe_rename.h"
#include "platform/thread_start.h"
#include "tasks/check_run.h"
#include "tasks/run_state.h"

std::string ProposedName(std::string_view fileName, const FileIdTable& table, const Verdict& verdict) {
    if (verdict.status != STATUS_MISMATCH || !table.Valid(verdict.entryIndex)) return std::string(fileName);
    return SplitPath(fileName).baseName + "." + table[verdict.entryIndex].extension;
}

NameProposal ProposeName(int32_t row) {
    const FileRow copy = TheFileList().RowAt(row);
    return {copy.fileName, ProposedName(copy.fileName, *CurrentFileIdTable(), copy.verdict)};
}

std::optional<RenameFailure> RenameInFolder(const std::string& folder, const std::string& currentName,
                                            const std::string& newName) {
    const std::string oldPath = folder + currentName;
    const std::string newPath = folder + newName;
    // A table's extension or a typed name must not reach another folder.
    if (!IsSingleName(newName)) return RenameFailure{oldPath, newPath, "not a single file name in its folder"};
    const RenameOutcome outcome = RenameNoReplace(oldPath, newPath);
    if (!outcome.ok) return RenameFailure{oldPath, newPath, outcome.reason};
    return std::nullopt;
}

std::optional<RenameFailure> RenameRow(int32_t row, const std::string& currentName, const std::string& newName) {
    FileList& list = TheFileList();
    if (auto failure = RenameInFolder(list.GetText(row, kColumnLocation), currentName, newName)) return failure;
    list.SetFileName(row, newName);
    list.ClearExpectedType(row);
    CheckItem(row);
    return std::nullopt;
}

void AutoRenameWorker(const std::function<void(std::vector<RenameFailure>)>& finished) {
    std::vector<RenameFailure> failures;
    FileList& list = TheFileList();
    for (int32_t i = 0; i < list.RowCount(); ++i) {
        if (!list.IsSelected(i)) continue;
        const NameProposal proposal = ProposeName(i);
        if (auto failure = RenameRow(i, proposal.currentName, proposal.proposedName)) {
            failures.push_back(std::move(*failure));
        }
    }
    TheRunState().EndRenaming();
    if (finished) finished(std::move(failures));
}

bool StartAutoRename(std::function<void(std::vector<RenameFailure>)> finished) {
    if (!TheRunState().TryBeginRenaming(RenameKind::Automatic)) return false;
    StartDetachedThread([finished = std::move(finished)] { AutoRenameWorker(finished); });
    return true;
}

std::string RenameFailureReport(const std::vector<RenameFailure>& failures) {
    std::string report = failures.size() == 1 ? "This file was not renamed:\n" : "These files were not renamed:\n";
    for (const RenameFailure& failure : failures) {
        report += "\n" + failure.oldPath + "\n    -> " + failure.newPath + "\n    " + failure.reason + "\n";
    }
    return report;
}
