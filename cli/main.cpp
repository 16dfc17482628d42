// quorvane-check: the window's check, from the command line.
//
// Reads the arguments, runs what they ask for, and finishes the output.

#include <cstdio>
#include <optional>

#include "cli/exit_status.h"
#include "cli/modes.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/usage.h"
#include "platform/output_pipe.h"
#include "platform/process_info.h"

namespace {

int Run(const Options& options, Output& output) {
    switch (options.command) {
        case Command::Help:
            std::fputs(kUsage, output.File());
            return kExitRan;
        case Command::Version:
            std::fputs("quorvane-check " QUORVANE_VERSION "\n", output.File());
            return kExitRan;
        case Command::Lint: return RunLint(options, output);
        case Command::Undo: return RunUndo(options, output);
        case Command::Check: return RunCheck(options, output);
    }
    return kExitRan;
}

}  // namespace

int main(int argc, char** argv) {
    PrepareStandardStreams();
    LetWritesToAClosedPipeFail();
    Options options;
    if (std::optional<int> usageError = ParseArguments(CommandLineArguments(argc, argv), options)) return *usageError;
    Output output;
    return output.Finish(Run(options, output));
}
