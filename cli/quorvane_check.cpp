// quorvane-check: the window's check, from the command line.
//
// Loads a signature table, judges each path with the same pure check the
// window's rows get, and prints one line per path: verdict, path and expected
// type, separated by tabs. Argument parsing and printing only.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "platform/data_location.h"
#include "platform/error_text.h"
#include "platform/path_split.h"
#include "signature/lint.h"
#include "platform/process_info.h"
#include "signature/loader.h"
#include "signature/matcher.h"
#include "engine/journal.h"
#include "engine/path_run.h"
#include "engine/rename.h"
#include "cli/check_output.h"

namespace {

constexpr int kExitRan = 0;
constexpr int kExitBadTable = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRenameFailed = 3;
constexpr int kExitNotJudged = 4;
constexpr int kExitWriteFailed = 5;
constexpr int kExitNotJournalled = 6;

// Where the table and the journal are looked for differs between the systems.
#ifdef _WIN32
#define USAGE_DATA_PLACES \
    "  --data FILE  load this signature table; without it the table is\n" \
    "               %APPDATA%\\Quorvane\\Quorvane.dat, else the one beside the\n" \
    "               program; a Quorvane.dat in the current folder is used only\n" \
    "               when named here\n"
#define USAGE_JOURNAL_PLACE \
    "JOURNAL: every rename is appended to %LOCALAPPDATA%\\Quorvane\\renames.log,\n" \
    "one line per rename of five tab-separated\n"
#else
#define USAGE_DATA_PLACES \
    "  --data FILE  load this signature table; without it the table is\n" \
    "               $XDG_CONFIG_HOME/quorvane/Quorvane.dat (~/.config when unset),\n" \
    "               else the installed one (../share/quorvane/ beside the\n" \
    "               program); a Quorvane.dat in the current folder is used only\n" \
    "               when named here\n"
#define USAGE_JOURNAL_PLACE \
    "JOURNAL: every rename is appended to $XDG_STATE_HOME/quorvane/renames.log\n" \
    "(~/.local/state when unset), one line per rename of five tab-separated\n"
#endif

const char kUsage[] =
    "Usage: quorvane-check [-r] [--rename [--dry-run]] [-0|--json] [--first-64-bytes] [--data FILE] PATH...\n"
    "       quorvane-check --undo [RUN]\n"
    "       quorvane-check --lint [FILE]\n"
    "\n"
    "Judges each file by its first 64 bytes against the signature table and\n"
    "(for ZIP, Office, Matroska, PE, ELF, TIFF raw, ID3-tagged audio and scripts)\n"
    "by a second, bounded look inside that names the exact member of the family,\n"
    "and prints one line per path: the verdict (unknown, mismatch, match, folder),\n"
    "a tab, the path, a tab, and the expected type (\"Type; ext\", empty when\n"
    "there is none). A path that cannot be judged (missing, a dangling link,\n"
    "unreadable, a name too long) prints \"error\", the path and the system's\n"
    "reason instead.\n"
    "\n"
    "  -r           descend into folders and judge the files they hold\n"
    "               (without it a folder is judged as a folder)\n"
    "  --rename     give each mis-named file the proposed extension, never\n"
    "               overwriting another file; prints \"renamed\", the old and the\n"
    "               new path; failures go to standard error and the run goes on.\n"
    "               Each rename is journalled (see JOURNAL below)\n"
    "  --dry-run    with --rename: rename nothing; print \"would-rename\", the old\n"
    "               and the new path, or \"would-fail\", the old and the new path\n"
    "               and the reason when the new name is taken\n"
    "  --undo [RUN] take back the renames of run RUN (the journal's last run when\n"
    "               omitted), newest first, never overwriting a file; prints\n"
    "               \"undone\", the path taken back and the path restored. A file\n"
    "               renamed again, deleted, or whose old name is taken is left\n"
    "               alone and named on standard error. The undo is a run of its\n"
    "               own, so it can be undone too\n"
    "  -0, --null   end each record with a NUL byte instead of a newline\n"
    "  --json       print one JSON object per line instead: \"verdict\", \"path\",\n"
    "               \"type\", \"extension\", \"proposed_name\" (null when the name\n"
    "               fits), \"new_path\" after a rename, \"reason\" after an error.\n"
    "               A name that is not valid UTF-8 is given with U+FFFD for\n"
    "               each invalid byte, plus \"path_bytes\" (\"new_path_bytes\",\n"
    "               \"proposed_name_bytes\") holding the raw bytes in hex\n"
    "  --first-64-bytes\n"
    "               judge by the first 64 bytes alone, without the second look\n"
    USAGE_DATA_PLACES

    "  --lint [FILE]\n"
    "               check a signature table instead (FILE, else the one found\n"
    "               as without --data): prints \"FILE:LINE: warning\" for each\n"
    "               line that loads but is probably a mistake; exit status 0\n"
    "               when there is none, 1 when there are some or the table is\n"
    "               defective\n"
    "  --version    print the program's version\n"
    "  --help       show this text\n"
    "\n"
    "With -r and standard error a terminal, a progress count (files judged and\n"
    "the rate) is kept on standard error and cleared at the end.\n"
    "\n"
    USAGE_JOURNAL_PLACE

    "fields: UTC time, run id, folder, old name, new name. Bytes below 0x21,\n"
    "'%', 0x7F and bytes from 0x80 on are written as %XX (hex).\n"
    "\n"
    "Exit status: 0 every path judged, 1 the signature table is defective,\n"
    "2 usage error, 3 --rename could not rename some file, 4 some path could\n"
    "not be judged (or a folder under -r could not be read), 5 the output\n"
    "could not be written, 6 some rename could not be journalled. When several\n"
    "apply, the highest wins.\n";

struct Options {
    bool recursive = false;
    bool rename = false;
    bool dryRun = false;
    bool undo = false;
    bool json = false;
    bool lookInside = true;
    char terminator = '\n';
    bool dataGiven = false;
    std::string dataFile;
    std::vector<std::string> paths;
};

const char* VerdictWord(int32_t status) {
    switch (status) {
        case STATUS_MISMATCH: return "mismatch";
        case STATUS_MATCH: return "match";
        case STATUS_FOLDER: return "folder";
        default: return "unknown";
    }
}

// One record: its fields separated by tabs, ended by `terminator`.
void PrintFields(const std::vector<std::string>& fields, char terminator) {
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) std::fputc('\t', stdout);
        std::fwrite(fields[i].data(), 1, fields[i].size(), stdout);
    }
    std::fputc(terminator, stdout);
}

void PrintError(const std::string& text) {
    std::fputs("quorvane-check: ", stderr);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

// The window's message as it is, with plain line ends, then what it means.
void PrintTableDefect(const std::string& fileName, const TableDefect& defect) {
    std::string message;
    for (size_t i = 0; i < defect.message.size(); ++i) {
        if (defect.message[i] == '\r' && i + 1 < defect.message.size() && defect.message[i + 1] == '\n') continue;
        message += defect.message[i];
    }
    while (!message.empty() && message.back() == '\n') message.pop_back();
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
    const std::string explanation = ExplainDefect(fileName, defect);
    std::fwrite(explanation.data(), 1, explanation.size(), stderr);
    std::fputc('\n', stderr);
}

class Checker {
public:
    Checker(const Options& options, const FileIdTable& table)
        : m_options(options), m_table(table), m_progress(options.recursive && StandardErrorIsTerminal(), StandardOutputIsTerminal()) {}

    void Report(const PathRunItem& item) {
        m_progress.BeforeRecord();
        if (item.IsUnreadableFolder()) {
            PrintError("cannot read folder " + item.path + ": " + item.unreadableFolderReason);
            Raise(kExitNotJudged);
            return;
        }
        const PathVerdict& verdict = item.verdict;
        m_progress.Count();
        if (verdict.Failed()) {
            Print("error", item.path, {{"reason", ErrorText(verdict.error)}});
            Raise(kExitNotJudged);
            return;
        }
        if (m_options.rename && verdict.verdict.status == STATUS_MISMATCH && Rename(item)) return;
        Print(VerdictWord(verdict.verdict.status), item.path, Judgement(item));
    }

    // Reports a journal that could not be written, once.
    void Finish() {
        m_progress.Clear();
        if (auto problem = m_run.TakeJournalProblem()) ReportNotJournalled(*problem);
    }

    int ExitCode() const { return m_exitCode; }
    void Raise(int code) { m_exitCode = std::max(m_exitCode, code); }

    void ReportNotJournalled(const std::string& problem) {
        PrintError("renamed, but not journalled (cannot be undone): " + problem);
        Raise(kExitNotJournalled);
    }

    // A record: `verdict`, `path` and the extra fields, by name in JSON.
    void Print(const char* verdict, const std::string& path, const std::vector<JsonField>& extra) {
        if (m_options.json) {
            std::vector<JsonField> fields = {{"verdict", verdict}, {"path", path, true}};
            fields.insert(fields.end(), extra.begin(), extra.end());
            const std::string line = JsonObject(fields);
            std::fwrite(line.data(), 1, line.size(), stdout);
            std::fputc(m_options.terminator, stdout);
            return;
        }
        std::vector<std::string> texts = {verdict, path};
        for (const JsonField& field : extra) texts.push_back(field.value.value_or(""));
        PrintFields(texts, m_options.terminator);
    }

private:
    // What the check found: the tab form's "Type; ext" text, or its parts and the proposal.
    std::vector<JsonField> Judgement(const PathRunItem& item) const {
        const Verdict& verdict = item.verdict.verdict;
        std::vector<JsonField> fields;
        if (!m_options.json) return {{"expected_type", ExpectedTypeText(m_table, verdict)}};
        const bool known = m_table.Valid(verdict.entryIndex);
        fields.push_back({"type", known ? std::optional<std::string>(m_table[verdict.entryIndex].typeName) : std::nullopt});
        fields.push_back({"extension", known ? std::optional<std::string>(m_table[verdict.entryIndex].extension)
                                             : std::nullopt});
        std::optional<std::string> proposed;
        if (verdict.status == STATUS_MISMATCH) {
            proposed = ProposedName(FileNameOf(SplitPath(item.path)), m_table, verdict);
        }
        fields.push_back({"proposed_name", proposed, true});
        return fields;
    }

    bool Rename(const PathRunItem& item) {
        const PathParts parts = SplitPath(item.path);
        const std::string location = LocationOf(parts);
        const std::string name = FileNameOf(parts);
        const std::string newName = ProposedName(name, m_table, item.verdict.verdict);
        if (m_options.dryRun) {
            if (auto failure = WouldRenameFail(location, name, newName)) {
                Print("would-fail", item.path, {{"new_path", location + newName, true}, {"reason", failure->reason}});
            } else {
                Print("would-rename", item.path, {{"new_path", location + newName, true}});
            }
            return true;
        }
        if (auto failure = RenameInFolder(location, name, newName, m_run)) {
            PrintError("cannot rename " + failure->oldPath + " to " + failure->newPath + ": " + failure->reason);
            Raise(kExitRenameFailed);
            return false;
        }
        Print("renamed", item.path, {{"new_path", location + newName, true}});
        return true;
    }

    const Options& m_options;
    const FileIdTable& m_table;
    RenameRun m_run;
    ProgressLine m_progress;
    int m_exitCode = kExitRan;
};

// --lint [FILE]: one line per warning on standard output.
int LintTable(const std::vector<std::string>& files) {
    if (files.size() > 1) {
        PrintError("--lint takes at most one file: --lint [FILE]");
        return kExitUsage;
    }
    const std::string dataFile = files.size() == 1 ? files[0] : LocateUserOrInstalledDataFile(kDataFileName);
    std::vector<LintWarning> warnings;
    if (std::optional<TableDefect> defect = LintFileIdData(dataFile, warnings)) {
        PrintTableDefect(dataFile, *defect);
        return kExitBadTable;
    }
    for (const LintWarning& warning : warnings) {
        const std::string line = dataFile + ":" + std::to_string(warning.line) + ": " + warning.text + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError("cannot write the output: " + ErrorText(errno));
        return kExitWriteFailed;
    }
    return warnings.empty() ? kExitRan : kExitBadTable;
}

// Parses the arguments; returns an exit code when the program should end now.
std::optional<int> ParseArguments(const std::vector<std::string>& arguments, Options& options) {
    bool optionsEnded = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return std::fflush(stdout) == 0 && !std::ferror(stdout) ? kExitRan : kExitWriteFailed;
        } else if (arg == "-r" || arg == "--recursive") {
            options.recursive = true;
        } else if (arg == "--version") {
            std::fputs("quorvane-check " QUORVANE_VERSION "\n", stdout);
            return std::fflush(stdout) == 0 && !std::ferror(stdout) ? kExitRan : kExitWriteFailed;
        } else if (arg == "--rename") {
            options.rename = true;
        } else if (arg == "--lint") {
            return LintTable({arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end()});
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--undo") {
            options.undo = true;
        } else if (arg == "-0" || arg == "--null") {
            options.terminator = '\0';
        } else if (arg == "--first-64-bytes") {
            options.lookInside = false;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--data") {
            if (i + 1 >= arguments.size()) {
                PrintError("--data needs a file: --data FILE");
                return kExitUsage;
            }
            options.dataGiven = true;
            options.dataFile = arguments[++i];
        } else {
            std::fprintf(stderr, "quorvane-check: unknown option %s\n\n%s", arg.c_str(), kUsage);
            return kExitUsage;
        }
    }
    if (options.dryRun && !options.rename) {
        PrintError("--dry-run goes with --rename");
        return kExitUsage;
    }
    if (options.undo) {
        if (options.paths.size() > 1 || options.rename) {
            PrintError("--undo takes at most one run id and no paths: --undo [RUN]");
            return kExitUsage;
        }
        return std::nullopt;
    }
    if (options.paths.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    return std::nullopt;
}

// --undo [RUN]: the run's renames taken back as a run of their own.
int Undo(const Options& options) {
    const FileIdTable noTable;
    Checker printer(options, noTable);
    RenameRun run;
    const RenameRunReport report =
        UndoRenameRun(options.paths.empty() ? "" : options.paths[0], run, [&](const JournalRecord& record) {
            printer.Print("undone", record.folder + record.newName, {{"new_path", record.folder + record.oldName, true}});
        });
    for (const RenameFailure& failure : report.failures) {
        PrintError("cannot undo " + failure.oldPath + " -> " + failure.newPath + ": " + failure.reason);
        printer.Raise(kExitRenameFailed);
    }
    if (!report.notice.empty()) {
        PrintError(report.notice);
        return kExitRenameFailed;
    }
    if (auto problem = run.TakeJournalProblem()) printer.ReportNotJournalled(*problem);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError("cannot write the output: " + ErrorText(errno));
        printer.Raise(kExitWriteFailed);
    }
    return printer.ExitCode();
}

}  // namespace

int main(int argc, char** argv) {
    PrepareStandardStreams();
    Options options;
    if (std::optional<int> code = ParseArguments(CommandLineArguments(argc, argv), options)) return *code;
    if (options.undo) return Undo(options);

    const std::string dataFile = options.dataGiven ? options.dataFile : LocateUserOrInstalledDataFile(kDataFileName);
    FileIdTable table;
    if (std::optional<TableDefect> defect = TryLoadFileIdData(dataFile, kHeaderTemplate, table)) {
        PrintTableDefect(dataFile, *defect);
        return kExitBadTable;
    }

    Checker checker(options, table);
    bool writeFailed = false;
    RunPaths(options.paths, options.recursive, table, options.lookInside, [&](const PathRunItem& item) {
        checker.Report(item);
        // A full disk or a closed pipe: nothing more can reach the reader.
        writeFailed = std::ferror(stdout) != 0;
        return !writeFailed;
    });
    checker.Finish();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || writeFailed) {
        PrintError("cannot write the output: " + ErrorText(errno));
        checker.Raise(kExitWriteFailed);
    }
    return checker.ExitCode();
}
