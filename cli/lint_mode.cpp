#include <string>
#include <vector>

#include "cli/diagnostics.h"
#include "cli/exit_status.h"
#include "cli/modes.h"
#include "platform/data_location.h"
#include "signature/lint.h"
#include "signature/loader.h"

// The warnings are plain "FILE:LINE: warning" lines, whatever -0 or --json say.
int RunLint(const Options& options, Output& output) {
    if (options.paths.size() > 1) {
        PrintError("--lint takes at most one file: --lint [FILE]");
        return kExitUsage;
    }
    const std::string dataFile =
        options.paths.size() == 1 ? options.paths[0] : LocateUserOrInstalledDataFile(kDataFileName);
    std::vector<LintWarning> warnings;
    if (std::optional<TableDefect> defect = LintFileIdData(dataFile, warnings)) {
        PrintTableDefect(dataFile, *defect);
        return kExitBadTable;
    }
    for (const LintWarning& warning : warnings) {
        const std::string line = dataFile + ":" + std::to_string(warning.line) + ": " + warning.text + "\n";
        std::fwrite(line.data(), 1, line.size(), output.File());
    }
    return warnings.empty() ? kExitRan : kExitBadTable;
}
