#include "list/folder_intake.h"

#include <cstdint>

#include "platform/folder_walk.h"
#include "platform/thread_start.h"
#include "list/drop_intake.h"

namespace {

std::string UnreadableNote(int32_t folders) {
    if (folders == 0) return {};
    return "  (" + std::to_string(folders) + (folders == 1 ? " folder" : " folders") + " could not be read)";
}

void TakeInFolder(const std::string& folder) {
    int32_t rows = 0;
    int32_t unreadable = 0;
    FolderWalkVisitor visitor;
    visitor.entry = [&rows](const FolderEntry& entry) {
        if (!entry.isRegularFile) return;
        AppendDroppedRow(entry.path);
        ++rows;
    };
    visitor.unreadable = [&unreadable](const std::string&, const std::string&) { ++unreadable; };
    WalkFolder(folder, visitor);
    EndDropIntake(rows, UnreadableNote(unreadable));
}

}  // namespace

bool FolderIntakeWorker(const std::string& folder) {
    if (!BeginDropIntake()) return false;
    TakeInFolder(folder);
    return true;
}

bool StartFolderIntake(std::string folder) {
    if (!BeginDropIntake()) return false;
    StartDetachedThread([folder = std::move(folder)] { TakeInFolder(folder); });
    return true;
}
