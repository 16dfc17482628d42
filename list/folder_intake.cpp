#include "list/folder_intake.h"

#include <atomic>
#include <cstdint>
#include <stop_token>

#include "list/drop_intake.h"
#include "list/list_state.h"
#include "platform/folder_walk.h"

namespace {

std::string UnreadableNote(int32_t folders) {
    if (folders == 0) return {};
    return "  (" + std::to_string(folders) + (folders == 1 ? " folder" : " folders") + " could not be read)";
}

void TakeInFolder(ListState& state, const std::string& folder, std::stop_token stop) {
    std::atomic<bool> stopped{false};
    std::stop_callback onStop(stop, [&stopped] { stopped = true; });
    int32_t unreadable = 0;
    FolderWalkVisitor visitor;
    visitor.entry = [&state](const FolderEntry& entry) {
        if (entry.isRegularFile) AppendDroppedRow(state.Rows(), entry.path);
    };
    visitor.unreadable = [&unreadable](const std::string&, const std::string&) { ++unreadable; };
    WalkFolder(folder, visitor, &stopped);
    EndDropIntake(state, UnreadableNote(unreadable));
}

}  // namespace

bool StartFolderIntake(ListState& state, std::string folder) {
    if (!state.Runs().TryBeginIntake()) return false;
    state.StartWorker([&state, folder = std::move(folder)](std::stop_token stop) { TakeInFolder(state, folder, stop); });
    return true;
}
