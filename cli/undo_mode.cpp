#include <string>

#include "cli/diagnostics.h"
#include "cli/exit_status.h"
#include "cli/modes.h"
#include "cli/record_writer.h"
#include "engine/journal_writer.h"
#include "engine/rename.h"

// Every rename is taken back even when the output has failed: stopping
// halfway would leave the run neither done nor undone.
int RunUndo(const Options& options, Output& output) {
    const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(options.json, options.terminator, output.File());
    ExitStatus status;
    RenameRun run;
    const RenameRunReport report =
        UndoRenameRun(options.paths.empty() ? "" : options.paths[0], run, [&](const JournalRecord& record) {
            writer->Write({"undone", record.folder + record.newName, std::nullopt, record.folder + record.oldName,
                           std::nullopt});
        });
    for (const RenameFailure& failure : report.failures) {
        PrintError("cannot undo " + failure.oldPath + " -> " + failure.newPath + ": " + failure.reason);
        status.Raise(kExitRenameFailed);
    }
    if (!report.notice.empty()) {
        PrintError(report.notice);
        return kExitRenameFailed;
    }
    for (const std::string& warning : report.warnings) PrintError(warning);
    // A damaged line may have held a rename of this run that stays done.
    if (report.mayBeIncomplete) status.Raise(kExitRenameFailed);
    ReportJournalProblem(run, status);
    return status.Value();
}
