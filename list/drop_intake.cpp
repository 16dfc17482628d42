#include "list/drop_intake.h"

#include <stop_token>

#include "list/list_state.h"
#include "list/status_texts.h"
#include "platform/path_intake.h"
#include "platform/path_split.h"

namespace {

bool IsAbsolutePath(const std::string& line) {
    if (line.empty()) return false;
#ifdef _WIN32
    if (line.size() >= 2 && (line[0] == '\\' || line[0] == '/') && line[1] == line[0]) return true;
    const PathParts parts = SplitPath(line);
    return !parts.drive.empty() && !parts.directory.empty() &&
           std::string_view(kPathSeparators).find(parts.directory[0]) != std::string_view::npos;
#else
    return line[0] == '/';
#endif
}

void TakeInRows(ListState& state, const std::vector<std::string>& paths, std::stop_token stop = {}) {
    for (const std::string& path : paths) {
        if (stop.stop_requested()) break;
        AppendDroppedRow(state.Rows(), path);
    }
    EndDropIntake(state);
}

}  // namespace

std::vector<std::string> AbsolutePathsInText(const std::string& text) {
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        if (IsAbsolutePath(line)) paths.push_back(AbsolutePath(line));
    }
    return paths;
}

void EndDropIntake(ListState& state, const std::string& note) {
    state.SetStatusText(AllFileText(state.TotalFiles()) + note);
    state.Runs().EndIntake();
}

void AppendDroppedRow(FileList& rows, const std::string& path) {
    const PathParts parts = SplitPath(path);
    rows.AppendRow(LocationOf(parts), FileNameOf(parts), STATUS_UNKNOWN);
}

bool DropWorker(ListState& state, const std::vector<std::string>& paths) {
    if (!state.Runs().TryBeginIntake()) return false;
    TakeInRows(state, paths);
    return true;
}

bool StartDropIntake(ListState& state, std::vector<std::string> paths) {
    return StartDropIntake(state, [paths = std::move(paths)]() mutable { return std::move(paths); });
}

bool StartDropIntake(ListState& state, std::function<std::vector<std::string>()> producePaths) {
    // Running from the moment of the drop, on the window's thread, so New and
    // Check see it before the worker has even started.
    if (!state.Runs().TryBeginIntake()) return false;
    state.StartWorker([&state, producePaths = std::move(producePaths)](std::stop_token stop) {
        TakeInRows(state, producePaths(), stop);
    });
    return true;
}
