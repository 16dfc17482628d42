// quorvane-check: the window's check, from the command line.
//
// Loads the signature file with the window's rules and messages, judges each
// path exactly as a check of its row in the list would, and prints one line
// per path: verdict, path and expected type, separated by tabs.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "platform/data_location.h"
#include "signature/loader.h"
#include "tasks/check_run.h"
#include "tasks/drop_intake.h"
#include "tasks/renaming.h"

namespace {

constexpr int kExitRan = 0;
constexpr int kExitUsage = 2;
constexpr int kExitRenameFailed = 3;

const char kUsage[] =
    "Usage: quorvane-check [-r] [--rename] [--data FILE] PATH...\n"
    "\n"
    "Judges each file by its first 64 bytes against the signature table and\n"
    "prints one line per path: the verdict (unknown, mismatch, match, folder),\n"
    "a tab, the path, a tab, and the expected type (\"Type; ext\", empty when\n"
    "there is none).\n"
    "\n"
    "  -r           descend into folders and judge the files they hold\n"
    "               (without it a folder is judged as a folder)\n"
    "  --rename     give each mis-named file the proposed extension, never\n"
    "               overwriting another file; prints \"renamed\", the old and the\n"
    "               new path; failures go to standard error and the run goes on\n"
    "  --data FILE  load this signature file instead of Quorvane.dat (looked\n"
    "               for in the current directory, then beside the installed\n"
    "               program in ../share/quorvane/)\n"
    "  --help       show this text\n"
    "\n"
    "Exit status: 0 ran, 1 the signature file is defective, 2 usage error,\n"
    "3 --rename could not rename some file.\n";

struct Options {
    bool recursive = false;
    bool rename = false;
    std::string dataFile;  // empty: Quorvane.dat, here or beside the installed program
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

class Checker {
public:
    explicit Checker(const Options& options) : m_options(options) {}

    void Judge(const std::string& path) {
        if (m_options.recursive && IsRealDirectory(path)) {
            Descend(path);
            return;
        }
        FileList& list = TheFileList();
        list.Clear();
        AppendDroppedRow(path);  // the row a drop of this path makes
        g_currentItem = 0;
        CheckItem();
        const int32_t status = list.GetImage(0);
        const std::string expectType = list.GetText(0, kColumnExpectType);
        if (m_options.rename && status == STATUS_MISMATCH) {
            const NameProposal proposal = ProposeName(0);
            const std::string location = list.GetText(0, kColumnLocation);
            if (auto failure = RenameRow(0, proposal.currentName, proposal.proposedName)) {
                std::fprintf(stderr, "quorvane-check: cannot rename %s to %s: %s\n", failure->oldPath.c_str(),
                             failure->newPath.c_str(), failure->reason.c_str());
                m_renameFailed = true;
            } else {
                PrintLine("renamed", path, location + proposal.proposedName);
                return;
            }
        }
        PrintLine(VerdictWord(status), path, expectType);
    }

    bool RenameFailed() const { return m_renameFailed; }

private:
    static bool IsRealDirectory(const std::string& path) {
        struct stat info {};
        return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    void Descend(const std::string& folder) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) {
            std::fprintf(stderr, "quorvane-check: cannot read folder %s: %s\n", folder.c_str(), std::strerror(errno));
            return;
        }
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) names.emplace_back(entry->d_name);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        const std::string prefix = folder.back() == '/' ? folder : folder + "/";
        for (const std::string& name : names) Judge(prefix + name);
    }

    const Options& m_options;
    bool m_renameFailed = false;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return kExitRan;
        } else if (arg == "-r" || arg == "--recursive") {
            options.recursive = true;
        } else if (arg == "--rename") {
            options.rename = true;
        } else if (arg == "--data" && i + 1 < argc) {
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

    LoadFileIdData(options.dataFile.empty() ? LocateDataFile(kDataFileName) : options.dataFile, kHeaderTemplate);
    TheFileList().Open();
    Checker checker(options);
    for (const std::string& path : options.paths) checker.Judge(path);
    std::fflush(stdout);
    return checker.RenameFailed() ? kExitRenameFailed : kExitRan;
}
