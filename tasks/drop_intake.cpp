#include "tasks/drop_intake.h"

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "filelist/status_texts.h"
#include "platform/path_split.h"
#include "platform/thread_start.h"
#include "tasks/activity.h"

namespace {

void TakeInRows(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) AppendDroppedRow(path);
    EndDropIntake(static_cast<int32_t>(paths.size()));
}

}  // namespace

void BeginDropIntake() {
    g_acceptDrops = 0;
    BeginDrop();
}

void EndDropIntake(int32_t rowsAdded, const std::string& note) {
    g_totalFiles += rowsAdded;
    SetStatusText(AllFileText(g_totalFiles) + note);
    EndDrop();
    g_acceptDrops = 1;
}

void AppendDroppedRow(const std::string& path) {
    const PathParts parts = SplitPath(path);
    TheFileList().AppendRow(LocationOf(parts), FileNameOf(parts), STATUS_UNKNOWN);
}

void DropWorker(std::vector<std::string> paths) {
    BeginDropIntake();
    TakeInRows(paths);
}

void StartDropIntake(std::vector<std::string> paths) {
    // Busy from the moment of the drop, on the window's thread, so New and
    // Check see it before the worker has even started.
    BeginDropIntake();
    StartDetachedThread([paths = std::move(paths)] { TakeInRows(paths); });
}
