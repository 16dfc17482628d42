#include "tasks/renaming.h"

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "platform/path_split.h"
#include "platform/safe_rename.h"
#include "platform/thread_start.h"
#include "signature/matcher.h"
#include "tasks/activity.h"
#include "tasks/check_run.h"

std::string TextAfterLast(std::string_view source, char separator) {
    size_t p = source.size();
    while (p > 0 && (p >= source.size() || source[p] != separator)) --p;
    const size_t start = p + 2;
    return start < source.size() ? std::string(source.substr(start)) : std::string();
}

NameProposal ProposeName(int32_t row) {
    const FileRow copy = TheFileList().RowAt(row);
    const std::string& location = copy.texts[kColumnLocation];
    const std::string& name = copy.texts[kColumnFileName];
    const std::string expectType = copy.texts[kColumnExpectType].substr(0, kExpectTypeCapacity);
    if (expectType.empty()) return {name, name};
    return {name, SplitPath(location + name).baseName + "." + TextAfterLast(expectType, ';')};
}

std::optional<RenameFailure> RenameRow(int32_t row, const std::string& currentName, const std::string& newName) {
    FileList& list = TheFileList();
    const std::string location = list.GetText(row, kColumnLocation);
    const std::string oldPath = location + currentName;
    const std::string newPath = location + newName;
    const RenameOutcome outcome = RenameNoReplace(oldPath, newPath);
    if (!outcome.ok) return RenameFailure{oldPath, newPath, outcome.reason};
    list.SetText(row, kColumnFileName, newName);
    list.SetText(row, kColumnExpectType, "");
    g_currentItem = row;
    CheckItem();
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
    EndAutoRename();
    if (finished) finished(std::move(failures));
}

bool StartAutoRename(std::function<void(std::vector<RenameFailure>)> finished) {
    if (!TryBeginAutoRename()) return false;
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
