#include "tasks/activity.h"

#include <mutex>

#include "filelist/file_list.h"
#include "filelist/shared_state.h"
#include "filelist/status_texts.h"
#include "platform/thread_start.h"
#include "tasks/check_run.h"

std::atomic<int32_t> g_acceptDrops{1};
std::atomic<int32_t> g_autoRenaming{0};

namespace {
std::mutex g_activityMutex;
int g_dropsInProgress = 0;
bool g_checkWorkerAlive = false;
}  // namespace

bool DropsAccepted() { return g_acceptDrops == 1 && g_autoRenaming == 0; }

bool ListChangesAllowed() { return g_busy == 0 && g_autoRenaming == 0; }

void BeginDrop() {
    std::lock_guard lock(g_activityMutex);
    ++g_dropsInProgress;
    g_busy = 1;
}

void EndDrop() {
    std::lock_guard lock(g_activityMutex);
    --g_dropsInProgress;
    // A run that is still going keeps the list busy.
    if (g_dropsInProgress == 0 && !g_checkWorkerAlive) g_busy = 0;
}

CheckCommand RequestCheckRun() {
    std::lock_guard lock(g_activityMutex);
    if (g_autoRenaming == 1) return CheckCommand::Ignored;
    if (g_busy == 1) return CheckCommand::AskToStop;
    // After a confirmed stop the old worker finishes its row first; a second
    // worker would share the counters with it.
    if (g_checkWorkerAlive) return CheckCommand::Ignored;
    g_checkedFiles = 0;
    g_currentItem = -1;
    g_totalFiles = TheFileList().RowCount();
    g_busy = 1;
    g_stopRequested = 0;
    g_checkWorkerAlive = true;
    StartDetachedThread(CheckWorker);
    return CheckCommand::Started;
}

void ConfirmCheckStop() {
    std::lock_guard lock(g_activityMutex);
    SetStatusText(CheckAbortedText(g_totalFiles, g_checkedFiles));
    g_busy = 0;
    g_stopRequested = 1;
}

void EndCheckRun() {
    std::lock_guard lock(g_activityMutex);
    g_checkWorkerAlive = false;
    if (g_dropsInProgress == 0) g_busy = 0;
}

bool CheckWorkerRunning() {
    std::lock_guard lock(g_activityMutex);
    return g_checkWorkerAlive;
}

bool TryBeginAutoRename() {
    std::lock_guard lock(g_activityMutex);
    if (g_busy == 1 || g_autoRenaming == 1 || g_checkWorkerAlive) return false;
    g_autoRenaming = 1;
    return true;
}

void EndAutoRename() {
    std::lock_guard lock(g_activityMutex);
    g_autoRenaming = 0;
}
