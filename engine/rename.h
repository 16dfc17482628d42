// Giving files the extension their content calls for: the proposal, the
// rename that never replaces another file, and taking a journalled run back.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signature/file_id_table.h"
#include "signature/verdict.h"
#include "engine/journal_format.h"
#include "engine/journal_writer.h"

// The name a file called `fileName` should carry by `verdict`: its base name
// and the extension of the fitting entry when the extension is wrong, else
// the name unchanged.
std::string ProposedName(std::string_view fileName, const FileIdTable& table, const Verdict& verdict);

struct RenameFailure {
    std::string oldPath;
    std::string newPath;
    std::string reason;
    int code = 0;  // the error number when the system refused, else 0
};

// Renames `currentName` in `folder` (which ends with its separator) to
// `newName` in the same folder, never over another file, and journals it in
// `run` before returning. A new name that is not a single name in that folder
// is refused and nothing is touched.
std::optional<RenameFailure> RenameInFolder(const std::string& folder, const std::string& currentName,
                                            const std::string& newName, RenameRun& run);

// Why RenameInFolder would refuse, without touching anything: for a dry run.
std::optional<RenameFailure> WouldRenameFail(const std::string& folder, const std::string& currentName,
                                             const std::string& newName);

// What a run leaves to tell: the files it could not rename, and a notice
// (the journal could not be written, there was nothing to undo) or nothing.
struct RenameRunReport {
    std::vector<RenameFailure> failures;
    std::string notice;
    // What an undo could not be sure of: journal lines passed over, renames
    // taken back by their names alone.
    std::vector<std::string> warnings;
    // A damaged line may have held a rename of the run taken back.
    bool mayBeIncomplete = false;
};

// Takes back the renames of run `runId` (when empty, the newest run that is no
// undo and has not been taken back: see ReadJournalRun), newest first, as an
// undo run of its own in `run`. A rename is taken back only when the entry
// under its new name is the file that was renamed, in the folder it was
// renamed in (for records that say which they were), and its old name is a
// single free name there; anything else is left alone and listed as a
// failure. `undone` hears of each rename taken back. The notice says when
// there was nothing to undo; a journal problem stays in `run`.
RenameRunReport UndoRenameRun(const std::string& runId, RenameRun& run,
                              const std::function<void(const JournalRecord&)>& undone = {});

// One message listing every file that was not renamed and why.
std::string RenameFailureReport(const std::vector<RenameFailure>& failures);
