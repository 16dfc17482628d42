#include "tasks/drop_intake.h"

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "filelist/status_texts.h"
#include "platform/path_split.h"
#include "platform/thread_start.h"
#include "tasks/activity.h"

void DropWorker(std::vector<std::string> paths) {
    g_acceptDrops = 0;
    BeginDrop();
    FileList& list = TheFileList();
    for (const std::string& path : paths) {
        const PathParts parts = SplitPath(path);
        list.AppendRow(LocationOf(parts), FileNameOf(parts), STATUS_UNKNOWN);
    }
    g_totalFiles += static_cast<int32_t>(paths.size());
    SetStatusText(AllFileText(g_totalFiles));
    EndDrop();
    g_acceptDrops = 1;
}

void StartDropIntake(std::vector<std::string> paths) {
    StartDetachedThread([paths = std::move(paths)]() mutable { DropWorker(std::move(paths)); });
}
