// Judging a sequence of paths outside the file list, for the command line:
// the paths as given, and with `recursive` what the folders among them hold,
// in the order of the arguments and, within a folder, the sorted walk order.
// Reads run ahead on the shared engine; results arrive strictly in order.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "signature/file_id_table.h"
#include "engine/path_check.h"
#include "engine/ordered_probes.h"

struct PathRunItem {
    std::string path;
    PathVerdict verdict;
    // Set instead of a verdict for a folder the walk could not list.
    std::string unreadableFolderReason;
    bool IsUnreadableFolder() const { return !unreadableFolderReason.empty(); }
};

// Calls `each` for every item in order; it returns false to stop early.
// `lookInside` takes the second look inside containers.
void RunPaths(const std::vector<std::string>& arguments, bool recursive, const FileIdTable& table, bool lookInside,
              const std::function<bool(const PathRunItem&)>& each, ReadAheadSettings settings = kDefaultReadAhead);
