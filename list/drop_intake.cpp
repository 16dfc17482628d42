#include "list/drop_intake.h"

#include "list/file_list.h"
#include "list/shared_state.h"
#include "list/status_texts.h"
#include "platform/path_split.h"
#include "platform/thread_start.h"
#include "list/run_state.h"

namespace {

void TakeInRows(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) AppendDroppedRow(path);
    EndDropIntake(static_cast<int32_t>(paths.size()));
}

}  // namespace

bool BeginDropIntake() { return TheRunState().TryBeginIntake(); }

void EndDropIntake(int32_t rowsAdded, const std::string& note) {
    g_totalFiles += rowsAdded;
    SetStatusText(AllFileText(g_totalFiles) + note);
    TheRunState().EndIntake();
}

void AppendDroppedRow(const std::string& path) {
    const PathParts parts = SplitPath(path);
    TheFileList().AppendRow(LocationOf(parts), FileNameOf(parts), STATUS_UNKNOWN);
}

bool DropWorker(const std::vector<std::string>& paths) {
    if (!BeginDropIntake()) return false;
    TakeInRows(paths);
    return true;
}

bool StartDropIntake(std::vector<std::string> paths) {
    return StartDropIntake([paths = std::move(paths)]() mutable { return std::move(paths); });
}

bool StartDropIntake(std::function<std::vector<std::string>()> producePaths) {
    // Running from the moment of the drop, on the window's thread, so New and
    // Check see it before the worker has even started.
    if (!BeginDropIntake()) return false;
    StartDetachedThread([producePaths = std::move(producePaths)] { TakeInRows(producePaths()); });
    return true;
}
