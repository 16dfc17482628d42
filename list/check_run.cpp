#include "list/check_run.h"

#include "list/file_list.h"
#include "list/shared_state.h"
#include "list/status_texts.h"
#include "platform/thread_start.h"
#include "engine/path_check.h"
#include "engine/ordered_probes.h"

namespace {

// Judges the rows first to last while readers probe the rows ahead; rows a
// drop appends meanwhile are checked too. A stop is honoured between rows.
void CheckWorker(std::shared_ptr<const FileIdTable> table, bool lookInside) {
    LowerCurrentThreadPriority();
    FileList& list = TheFileList();
    OrderedProbes probes(
        [&list](int64_t row, std::string& path) {
            if (row >= list.RowCount()) return false;
            path = list.PathOf(static_cast<int32_t>(row));
            return true;
        },
        [lookInside](const std::string& path) { return ProbeForCheck(path, lookInside); });
    OrderedProbes::Item item;
    while (list.IsOpen() && probes.Next(item)) {
        const int32_t row = static_cast<int32_t>(item.index);
        RecordCheck(row, item.path, JudgeProbe(item.probe, item.path, *table));
        if (TheRunState().StopRequested()) break;
    }
    probes.Stop();
    SetStatusText(CheckSummaryText(g_totalFiles, g_checkedFiles));
    TheRunState().EndCheck();
}

}  // namespace

CheckCommand RequestCheckRun() {
    const CheckCommand command = TheRunState().RequestCheck();
    if (command == CheckCommand::Started) {
        g_checkedFiles = 0;
        g_totalFiles = TheFileList().RowCount();
        StartDetachedThread(
            [table = CurrentFileIdTable(), lookInside = LookInsideEnabled()] { CheckWorker(table, lookInside); });
    }
    return command;
}

void ConfirmCheckStop() {
    SetStatusText(CheckAbortedText(g_totalFiles, g_checkedFiles));
    TheRunState().ConfirmStop();
}

void RecordCheck(int32_t row, const std::string& path, const PathVerdict& verdict) {
    FileList& list = TheFileList();
    // A path that cannot be examined keeps the image it had.
    if (!verdict.exists) return;
    if (!verdict.judged) list.SetImage(row, verdict.verdict.status);
    if (!verdict.opened) return;
    SetStatusText(CheckFileText(path));
    if (!verdict.judged) return;
    ++g_checkedFiles;
    list.SetVerdict(row, verdict.verdict);
}

void CheckItem(int32_t row) {
    const std::string path = TheFileList().PathOf(row);
    RecordCheck(row, path, CheckPath(path, *CurrentFileIdTable(), LookInsideEnabled()));
}
