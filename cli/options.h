// quorvane-check's command line: what to do and how to write it.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class Command { Check, Undo, Lint, Help, Version };

struct Options {
    Command command = Command::Check;
    bool recursive = false;
    bool rename = false;
    bool dryRun = false;
    bool json = false;
    bool lookInside = true;
    char terminator = '\n';
    bool dataGiven = false;
    std::string dataFile;
    // --readers N, for measuring only: that many readers at once; 0: a pool that follows the disk.
    int readers = 0;
    // The paths to check; the run id for --undo; the table for --lint.
    std::vector<std::string> paths;
};

// Reads the arguments (the program's name first). Options are read in order
// and --help, --version and --lint end the reading: what follows --lint is
// its file. A usage error is told on standard error and gives the exit status.
std::optional<int> ParseArguments(const std::vector<std::string>& arguments, Options& options);
