#include "list/folder_intake.h"

#include <atomic>
#include <cstdint>
#include <stop_token>

#include "list/drop_intake.h"
#include "list/list_state.h"
#include "list/status_texts.h"
#include "platform/folder_walk.h"

namespace {

void TakeInFolder(ListState& state, const std::string& folder, std::stop_token stop) {
    std::atomic<bool> stopped{false};
    std::stop_callback onStop(stop, [&stopped] { stopped = true; });
    std::vector<UnreadableFolder> unreadable;
    FolderWalkVisitor visitor;
    visitor.entry = [&state](const FolderEntry& entry) {
        if (entry.isRegularFile) AppendDroppedRow(state.Rows(), entry.path);
    };
    visitor.unreadable = [&unreadable](const std::string& path, const std::string& reason) {
        unreadable.push_back({path, reason});
    };
    WalkFolder(folder, visitor, &stopped);
    std::vector<std::string> paths;
    for (const UnreadableFolder& entry : unreadable) paths.push_back(entry.path);
    // Several are listed in a window of their own; the status line names one.
    if (unreadable.size() > 1) state.PostUnreadableFolders(std::move(unreadable));
    EndDropIntake(state, UnreadableFoldersNote(paths));
}

}  // namespace

bool StartFolderIntake(ListState& state, std::string folder) {
    if (!state.Runs().TryBeginIntake()) return false;
    state.StartWorker([&state, folder = std::move(folder)](std::stop_token stop) { TakeInFolder(state, folder, stop); });
    return true;
}
