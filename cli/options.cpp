#include "cli/options.h"

#include <cstdio>

#include "cli/diagnostics.h"
#include "cli/exit_status.h"
#include "cli/usage.h"

namespace {

// Whether the options read so far go together; a usage error when not.
std::optional<int> CheckCombination(const Options& options) {
    if (options.dryRun && !options.rename) {
        PrintError("--dry-run goes with --rename");
        return kExitUsage;
    }
    if (options.command == Command::Undo) {
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

// The count after --readers at `i` (which it passes): 1 to kMostReaders.
bool ReadReaderCount(const std::vector<std::string>& arguments, size_t& i, int& readers) {
    constexpr int kMostReaders = 1024;
    readers = 0;
    if (i + 1 < arguments.size()) {
        const std::string& text = arguments[++i];
        if (!text.empty() && text.size() <= 4 && text.find_first_not_of("0123456789") == std::string::npos) {
            readers = std::stoi(text);
        }
    }
    if (readers >= 1 && readers <= kMostReaders) return true;
    PrintError("--readers needs a count from 1 to " + std::to_string(kMostReaders) + ": --readers N");
    return false;
}

}  // namespace

std::optional<int> ParseArguments(const std::vector<std::string>& arguments, Options& options) {
    bool optionsEnded = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            options.command = Command::Help;
            return std::nullopt;
        } else if (arg == "-r" || arg == "--recursive") {
            options.recursive = true;
        } else if (arg == "--version") {
            options.command = Command::Version;
            return std::nullopt;
        } else if (arg == "--rename") {
            options.rename = true;
        } else if (arg == "--lint") {
            options.command = Command::Lint;
            options.paths.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
            return std::nullopt;
        } else if (arg == "--dry-run") {
            options.dryRun = true;
        } else if (arg == "--undo") {
            options.command = Command::Undo;
        } else if (arg == "-0" || arg == "--null") {
            options.terminator = '\0';
        } else if (arg == "--first-64-bytes") {
            options.lookInside = false;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--readers") {
            if (!ReadReaderCount(arguments, i, options.readers)) return kExitUsage;
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
    return CheckCombination(options);
}
