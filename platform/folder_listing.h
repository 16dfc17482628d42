// One folder's entries, as each system lists them, for the shared walk in
// folder_walk.cpp. Internal to the system layer.
#pragma once

#include <string>
#include <vector>

#include "platform/failure.h"

struct ListedEntry {
    std::string name;
    bool isRealFolder;   // a folder itself, not a link to one: the walk descends it
    bool isRegularFile;
};

// The entries of `folder` but "." and "..", in any order.
Result<std::vector<ListedEntry>> ListFolder(const std::string& folder);

// The separator joined between a folder and a name in it.
char SeparatorAfter(const std::string& folder);
