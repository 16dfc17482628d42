#include <optional>
#include <string>

#include "cli/diagnostics.h"
#include "cli/exit_status.h"
#include "cli/judged_record.h"
#include "cli/modes.h"
#include "cli/progress_line.h"
#include "cli/record_writer.h"
#include "engine/journal_writer.h"
#include "engine/path_run.h"
#include "engine/rename.h"
#include "platform/data_location.h"
#include "platform/path_split.h"
#include "platform/process_info.h"
#include "signature/loader.h"

namespace {

// One check run: each path's record, and with --rename the renames.
class CheckRun {
public:
    CheckRun(const Options& options, const FileIdTable& table, RecordWriter& writer)
        : m_options(options),
          m_table(table),
          m_writer(writer),
          m_progress(options.recursive && StandardErrorIsTerminal(), StandardOutputIsTerminal()) {}

    void Report(const PathRunItem& item) {
        m_progress.BeforeRecord();
        if (item.IsUnreadableFolder()) {
            PrintError("cannot read folder " + item.path + ": " + item.unreadableFolderReason);
            m_status.Raise(kExitNotJudged);
            return;
        }
        const PathVerdict& verdict = item.verdict;
        m_progress.Count();
        if (verdict.Failed()) {
            m_writer.Write({"error", item.path, std::nullopt, std::nullopt, verdict.failure->reason});
            m_status.Raise(kExitNotJudged);
            return;
        }
        if (m_options.rename && verdict.verdict.status == STATUS_MISMATCH) {
            if (std::optional<Record> renamed = Rename(item)) {
                m_writer.Write(*renamed);
                return;
            }
        }
        m_writer.Write(JudgedRecord(item.path, verdict.verdict, m_table));
    }

    // Takes the progress line away and tells of a journal that could not be written.
    int Finish() {
        m_progress.Clear();
        ReportJournalProblem(m_run, m_status);
        return m_status.Value();
    }

private:
    // The record of the rename done or foreseen; none when it failed, which
    // is told on standard error and leaves the file's own record to be written.
    std::optional<Record> Rename(const PathRunItem& item) {
        const PathParts parts = SplitPath(item.path);
        const std::string location = LocationOf(parts);
        const std::string name = FileNameOf(parts);
        const std::string newName = ProposedName(name, m_table, item.verdict.verdict);
        const std::string newPath = location + newName;
        if (m_options.dryRun) {
            if (std::optional<RenameFailure> failure = WouldRenameFail(location, name, newName)) {
                return Record{"would-fail", item.path, std::nullopt, newPath, failure->reason};
            }
            return Record{"would-rename", item.path, std::nullopt, newPath, std::nullopt};
        }
        if (std::optional<RenameFailure> failure = RenameInFolder(location, name, newName, m_run)) {
            PrintError("cannot rename " + failure->oldPath + " to " + failure->newPath + ": " + failure->reason);
            m_status.Raise(kExitRenameFailed);
            return std::nullopt;
        }
        return Record{"renamed", item.path, std::nullopt, newPath, std::nullopt};
    }

    const Options& m_options;
    const FileIdTable& m_table;
    RecordWriter& m_writer;
    RenameRun m_run;
    ProgressLine m_progress;
    ExitStatus m_status;
};

}  // namespace

int RunCheck(const Options& options, Output& output) {
    const std::string dataFile = options.dataGiven ? options.dataFile : LocateUserOrInstalledDataFile(kDataFileName);
    FileIdTable table;
    if (std::optional<TableDefect> defect = TryLoadFileIdData(dataFile, kHeaderTemplate, table)) {
        PrintTableDefect(dataFile, *defect);
        return kExitBadTable;
    }
    const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(options.json, options.terminator, output.File());
    CheckRun run(options, table, *writer);
    // A fixed pool is for measuring: the window ahead of the judge is as deep per reader as by default.
    const ReadAheadSettings readAhead =
        options.readers > 0 ? ReadAheadSettings{options.readers, options.readers * (kDefaultReadAhead.depth / kDefaultReadAhead.threads)}
                            : kDefaultReadAhead;
    RunPaths(options.paths, options.recursive, table, options.lookInside, [&](const PathRunItem& item) {
        run.Report(item);
        return !output.Failed();
    }, readAhead);
    return run.Finish();
}
