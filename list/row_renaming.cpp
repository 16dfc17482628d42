#include "list/row_renaming.h"

#include <stop_token>

#include "list/check_run.h"
#include "list/list_state.h"

NameProposal ProposeName(const ListState& state, int32_t row) {
    const FileRow copy = state.Rows().RowAt(row);
    return {copy.fileName, ProposedName(copy.fileName, *state.Table(), copy.verdict)};
}

std::optional<RenameFailure> RenameRow(ListState& state, int32_t row, const std::string& currentName,
                                       const std::string& newName, RenameRun& run) {
    FileList& rows = state.Rows();
    if (auto failure = RenameInFolder(rows.GetText(row, kColumnLocation), currentName, newName, run)) return failure;
    rows.SetFileName(row, newName);
    rows.ClearExpectedType(row);
    CheckItem(state, row);
    return std::nullopt;
}

namespace {

void AutoRename(ListState& state, std::stop_token stop, const RenameRunFinished& finished) {
    RenameRunReport report;
    RenameRun run;
    FileList& rows = state.Rows();
    for (int32_t i = 0; i < rows.RowCount() && !stop.stop_requested(); ++i) {
        if (!rows.IsSelected(i)) continue;
        const NameProposal proposal = ProposeName(state, i);
        if (auto failure = RenameRow(state, i, proposal.currentName, proposal.proposedName, run)) {
            report.failures.push_back(std::move(*failure));
        }
    }
    if (auto problem = run.TakeJournalProblem()) report.notice = NotJournalledNotice(*problem);
    state.Runs().EndRenaming();
    if (finished) finished(std::move(report));
}

// The rows that show a name taken back get the old name and are checked again.
void ShowUndone(ListState& state, const JournalRecord& record) {
    FileList& rows = state.Rows();
    for (int32_t row = 0; row < rows.RowCount(); ++row) {
        if (rows.GetText(row, kColumnLocation) != record.folder ||
            rows.GetText(row, kColumnFileName) != record.newName) {
            continue;
        }
        rows.SetFileName(row, record.oldName);
        rows.ClearExpectedType(row);
        CheckItem(state, row);
    }
}

}  // namespace

bool StartAutoRename(ListState& state, RenameRunFinished finished) {
    if (!state.Runs().TryBeginRenaming()) return false;
    state.StartWorker([&state, finished = std::move(finished)](std::stop_token stop) {
        AutoRename(state, stop, finished);
    });
    return true;
}

bool StartUndoLastRun(ListState& state, RenameRunFinished finished) {
    if (!state.Runs().TryBeginRenaming()) return false;
    state.StartWorker([&state, finished = std::move(finished)](std::stop_token) {
        // An undo runs to its end: a run half taken back is harder to mend than one not begun.
        RenameRun run;
        RenameRunReport report =
            UndoRenameRun("", run, [&state](const JournalRecord& record) { ShowUndone(state, record); });
        if (auto problem = run.TakeJournalProblem()) report.notice = NotJournalledNotice(*problem);
        state.Runs().EndRenaming();
        if (finished) finished(std::move(report));
    });
    return true;
}
