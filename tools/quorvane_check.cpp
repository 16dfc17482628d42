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
#include "signature/loader.h"
#include "signature/matcher.h"
#include "tasks/path_run.h"
#include "tasks/renaming.h"

namespace {

constexpr int kExitRan = 0;
constexpr int kExitBadTable = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRenameFailed = 3;
constexpr int kExitNotJudged = 4;
constexpr int kExitWriteFailed = 5;

const char kUsage[] =
    "Usage: quorvane-check [-r] [--rename] [--data FILE] PATH...\n"
    "       quorvane-check --lint [FILE]\n"
    "\n"
    "Judges each file by its first 64 bytes against the signature table and\n"
    "prints one line per path: the verdict (unknown, mismatch, match, folder),\n"
    "a tab, the path, a tab, and the expected type (\"Type; ext\", empty when\n"
    "there is none). A path that cannot be judged (missing, a dangling link,\n"
    "unreadable, a name too long) prints \"error\", the path and the system's\n"
    "reason instead.\n"
    "\n"
    "  -r           descend into folders and judge the files they hold\n"
    "               (without it a folder is judged as a folder)\n"
    "  --rename     give each mis-named file the proposed extension, never\n"
    "               overwriting another file; prints \"renamed\", the old and the\n"
    "               new path; failures go to standard error and the run goes on\n"
    "  --data FILE  load this signature table; without it the table is\n"
    "               $XDG_CONFIG_HOME/quorvane/Quorvane.dat (~/.config when unset),\n"
    "               else the installed one (../share/quorvane/ beside the\n"
    "               program); a Quorvane.dat in the current folder is used only\n"
    "               when named here\n"
    "  --lint [FILE]\n"
    "               check a signature table instead (FILE, else the one found\n"
    "               as without --data): prints \"FILE:LINE: warning\" for each\n"
    "               line that loads but is probably a mistake; exit status 0\n"
    "               when there is none, 1 when there are some or the table is\n"
    "               defective\n"
    "  --help       show this text\n"
    "\n"
    "Exit status: 0 every path judged, 1 the signature table is defective,\n"
    "2 usage error, 3 --rename could not rename some file, 4 some path could\n"
    "not be judged (or a folder under -r could not be read), 5 the output\n"
    "could not be written. When several apply, the highest wins.\n";

struct Options {
    bool recursive = false;
    bool rename = false;
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

void PrintLine(const char* verdict, const std::string& a, const std::string& b) {
    std::fputs(verdict, stdout);
    std::fputc('\t', stdout);
    std::fwrite(a.data(), 1, a.size(), stdout);
    std::fputc('\t', stdout);
    std::fwrite(b.data(), 1, b.size(), stdout);
    std::fputc('\n', stdout);
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
    Checker(const Options& options, const FileIdTable& table) : m_options(options), m_table(table) {}

    void Report(const PathRunItem& item) {
        if (item.IsUnreadableFolder()) {
            PrintError("cannot read folder " + item.path + ": " + item.unreadableFolderReason);
            Raise(kExitNotJudged);
            return;
        }
        const PathVerdict& verdict = item.verdict;
        if (verdict.Failed()) {
            PrintLine("error", item.path, ErrorText(verdict.error));
            Raise(kExitNotJudged);
            return;
        }
        if (m_options.rename && verdict.verdict.status == STATUS_MISMATCH && Rename(item)) return;
        PrintLine(VerdictWord(verdict.verdict.status), item.path, ExpectedTypeText(m_table, verdict.verdict));
    }

    int ExitCode() const { return m_exitCode; }
    void Raise(int code) { m_exitCode = std::max(m_exitCode, code); }

private:
    bool Rename(const PathRunItem& item) {
        const PathParts parts = SplitPath(item.path);
        const std::string location = LocationOf(parts);
        const std::string name = FileNameOf(parts);
        const std::string newName = ProposedName(name, m_table, item.verdict.verdict);
        if (auto failure = RenameInFolder(location, name, newName)) {
            PrintError("cannot rename " + failure->oldPath + " to " + failure->newPath + ": " + failure->reason);
            Raise(kExitRenameFailed);
            return false;
        }
        PrintLine("renamed", item.path, location + newName);
        return true;
    }

    const Options& m_options;
    const FileIdTable& m_table;
    int m_exitCode = kExitRan;
};

// --lint [FILE]: one line per warning on standard output.
int LintTable(int argc, char** argv) {
    if (argc > 1) {
        PrintError("--lint takes at most one file: --lint [FILE]");
        return kExitUsage;
    }
    const std::string dataFile = argc == 1 ? argv[0] : LocateUserOrInstalledDataFile(kDataFileName);
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
std::optional<int> ParseArguments(int argc, char** argv, Options& options) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return std::fflush(stdout) == 0 && !std::ferror(stdout) ? kExitRan : kExitWriteFailed;
        } else if (arg == "-r" || arg == "--recursive") {
            options.recursive = true;
        } else if (arg == "--rename") {
            options.rename = true;
        } else if (arg == "--lint") {
            return LintTable(argc - i - 1, argv + i + 1);
        } else if (arg == "--data") {
            if (i + 1 >= argc) {
                PrintError("--data needs a file: --data FILE");
                return kExitUsage;
            }
            options.dataGiven = true;
            options.dataFile = argv[++i];
        } else {
            std::fprintf(stderr, "quorvane-check: unknown option %s\n\n%s", arg.c_str(), kUsage);
            return kExitUsage;
        }
    }
    if (options.paths.empty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (std::optional<int> code = ParseArguments(argc, argv, options)) return *code;

    const std::string dataFile = options.dataGiven ? options.dataFile : LocateUserOrInstalledDataFile(kDataFileName);
    FileIdTable table;
    if (std::optional<TableDefect> defect = TryLoadFileIdData(dataFile, kHeaderTemplate, table)) {
        PrintTableDefect(dataFile, *defect);
        return kExitBadTable;
    }

    Checker checker(options, table);
    bool writeFailed = false;
    RunPaths(options.paths, options.recursive, table, [&](const PathRunItem& item) {
        checker.Report(item);
        // A full disk or a closed pipe: nothing more can reach the reader.
        writeFailed = std::ferror(stdout) != 0;
        return !writeFailed;
    });
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || writeFailed) {
        PrintError("cannot write the output: " + ErrorText(errno));
        checker.Raise(kExitWriteFailed);
    }
    return checker.ExitCode();
}
