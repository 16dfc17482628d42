#include "list/row_renaming.h"

#include <stop_token>
#include <unordered_map>
#include <vector>

#include "engine/journal_reader.h"
#include "engine/translatable.h"
#include "list/check_run.h"
#include "list/list_state.h"
#include "list/status_texts.h"
#include "platform/file_io.h"

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

const char* const kNoProposalMissing = Translatable("no proposed name: the file is missing");

namespace {

// A selected row without a proposal is left as it is; only a file that is
// gone is worth a line in the report, since its row can never be renamed.
std::optional<RenameFailure> WhyNoProposal(const ListState& state, int32_t row) {
    const std::string path = state.Rows().PathOf(row);
    if (EntryExists(path)) return std::nullopt;
    return RenameFailure{path, {}, kNoProposalMissing};
}

void AutoRename(ListState& state, const SelectionRanges& selection, std::stop_token stop,
                const RenameRunFinished& finished) {
    RenameRunReport report;
    RenameRun run(state.JournalPath(), RenameRunKind::Auto);
    int64_t renamed = 0;
    selection.ForEachRow([&](int32_t row) {
        if (stop.stop_requested()) return false;
        const NameProposal proposal = ProposeName(state, row);
        if (proposal.proposedName == proposal.currentName) {
            if (auto failure = WhyNoProposal(state, row)) report.failures.push_back(std::move(*failure));
            return true;
        }
        if (auto failure = RenameRow(state, row, proposal.currentName, proposal.proposedName, run)) {
            report.failures.push_back(std::move(*failure));
        } else {
            ++renamed;
        }
        return true;
    });
    if (auto problem = run.TakeJournalProblem()) report.notice = NotJournalledNotice(*problem);
    state.SetStatusText(RenamedText(renamed, static_cast<int64_t>(report.failures.size())));
    RefreshCounts(state);
    FindRunToUndo(state);
    state.Runs().EndRenaming();
    if (finished) finished(std::move(report));
}

// The rows that show a name taken back get the old name and are checked
// again: one pass over the rows, however many were taken back.
void ShowUndone(ListState& state, const std::vector<JournalRecord>& undone) {
    if (undone.empty()) return;
    std::unordered_map<std::string, const JournalRecord*> byNewPath;
    for (const JournalRecord& record : undone) byNewPath.emplace(record.folder + record.newName, &record);
    FileList& rows = state.Rows();
    for (int32_t row = 0; row < rows.RowCount(); ++row) {
        const auto found = byNewPath.find(rows.PathOf(row));
        if (found == byNewPath.end()) continue;
        rows.SetFileName(row, found->second->oldName);
        rows.ClearExpectedType(row);
        CheckItem(state, row);
    }
}

}  // namespace

bool StartAutoRename(ListState& state, RenameRunFinished finished) {
    if (!state.Runs().TryBeginRenaming()) return false;
    // A copy of the ranges: the worker walks the rows it acts on, never the whole list.
    state.StartWorker([&state, selection = state.Rows().Selection(), finished = std::move(finished)](
                          std::stop_token stop) { AutoRename(state, selection, stop, finished); });
    return true;
}

bool StartUndoLastRun(ListState& state, RenameRunFinished finished) {
    if (!state.Runs().TryBeginRenaming()) return false;
    state.StartWorker([&state, finished = std::move(finished)](std::stop_token) {
        // An undo runs to its end: a run half taken back is harder to mend than one not begun.
        RenameRun run(state.JournalPath());
        std::vector<JournalRecord> undone;
        RenameRunReport report =
            UndoRenameRun("", run, [&undone](const JournalRecord& record) { undone.push_back(record); });
        ShowUndone(state, undone);
        if (auto problem = run.TakeJournalProblem()) report.notice = NotJournalledNotice(*problem);
        if (std::string warnings = UndoWarningsText(report.warnings, report.mayBeIncomplete); !warnings.empty()) {
            report.notice = report.notice.empty() ? warnings : report.notice + "\n\n" + warnings;
        }
        if (!undone.empty() || !report.failures.empty()) {
            state.SetStatusText(TookBackText(static_cast<int64_t>(undone.size()),
                                             static_cast<int64_t>(report.failures.size())));
        }
        FindRunToUndo(state);
        state.Runs().EndRenaming();
        if (finished) finished(std::move(report));
    });
    return true;
}

void FindRunToUndo(ListState& state) {
    const Result<JournalRun> run = ReadJournalRun(state.JournalPath(), "");
    state.SetUndoOffer(run ? std::optional(UndoOffer{run->kind, run->records.size()}) : std::nullopt);
}

void StartFindingRunToUndo(ListState& state) {
    state.StartWorker([&state](std::stop_token) { FindRunToUndo(state); });
}
