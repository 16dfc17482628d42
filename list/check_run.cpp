#include "list/check_run.h"

#include "engine/ordered_probes.h"
#include "engine/path_check.h"
#include "list/list_state.h"
#include "list/status_texts.h"
#include "platform/thread_priority.h"

namespace {

// Judges the rows first to last while readers probe the rows ahead; rows a
// drop appends meanwhile are checked too. A stop, the user's or the
// window's, is honoured between rows.
void CheckWorker(ListState& state, std::stop_token stop, std::shared_ptr<const FileIdTable> table, bool lookInside) {
    LowerCurrentThreadPriority();
    FileList& rows = state.Rows();
    OrderedProbes probes(
        [&rows](int64_t row, std::string& path) {
            if (row >= rows.RowCount()) return false;
            path = rows.PathOf(static_cast<int32_t>(row));
            return true;
        },
        [lookInside](const std::string& path) { return ProbeForCheck(path, lookInside); });
    OrderedProbes::Item item;
    while (!stop.stop_requested() && probes.Next(item)) {
        const int32_t row = static_cast<int32_t>(item.index);
        const PathVerdict verdict = JudgeProbe(item.probe, item.path, *table);
        if (verdict.Failed()) state.CountUnreadableFile();
        if (RecordCheck(state, row, item.path, verdict)) state.CountCheckedFile();
        if (state.Runs().StopRequested()) break;
    }
    probes.Stop();
    state.SetStatusText(CheckSummaryText(state.TotalFiles(), state.CheckedFiles()));
    ShowCounts(state);
    state.Runs().EndCheck();
}

}  // namespace

CheckCommand RequestCheckRun(ListState& state) {
    const CheckCommand command = state.Runs().RequestCheck();
    if (command == CheckCommand::Started) {
        state.ResetCheckedFiles();
        state.StartWorker([&state, table = state.Table(), lookInside = state.LookInside()](std::stop_token stop) {
            CheckWorker(state, stop, table, lookInside);
        });
    }
    return command;
}

bool ConfirmCheckStop(ListState& state) {
    // A run that ended while the question was open is not aborted: its summary stays.
    if (!state.Runs().ConfirmStop() && state.Runs().ListChangesAllowed()) return false;
    state.SetStatusText(CheckAbortedText(state.TotalFiles(), state.CheckedFiles()));
    return true;
}

void ShowCounts(ListState& state) {
    const FileList::StatusCounts counts = state.Rows().CountStatuses();
    state.SetCountsText(
        CountsText(counts.mismatches, counts.matches, counts.unknown, counts.folders, state.UnreadableFiles()));
}

void RefreshCounts(ListState& state) {
    if (!state.CountsText().empty()) ShowCounts(state);
}

bool RecordCheck(ListState& state, int32_t row, const std::string& path, const PathVerdict& verdict) {
    FileList& rows = state.Rows();
    // A path that cannot be examined keeps the image it had.
    if (!verdict.exists) return false;
    if (!verdict.judged) rows.SetImage(row, verdict.verdict.status);
    if (!verdict.opened) return false;
    state.SetStatusText(CheckFileText(path));
    if (!verdict.judged) return false;
    rows.SetVerdict(row, verdict.verdict);
    return true;
}

void CheckItem(ListState& state, int32_t row) {
    const std::string path = state.Rows().PathOf(row);
    RecordCheck(state, row, path, CheckPath(path, *state.Table(), state.LookInside()));
}
