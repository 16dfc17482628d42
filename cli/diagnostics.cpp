#include "cli/diagnostics.h"

#include <cstdio>
#include <optional>

#include "cli/exit_status.h"
#include "engine/journal_writer.h"

void PrintError(const std::string& text) {
    std::fputs("quorvane-check: ", stderr);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

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

void ReportJournalProblem(RenameRun& run, ExitStatus& status) {
    if (std::optional<std::string> problem = run.TakeJournalProblem()) {
        PrintError("renamed, but not journalled (cannot be undone): " + *problem);
        status.Raise(kExitNotJournalled);
    }
}
