// One folder's entries, as each system lists them, for the shared walk in
// folder_walk.cpp. Internal to the system layer.
#pragma once

#include <string>
#include <vector>

struct ListedEntry {
    std::string name;
    bool isRealFolder;   // a folder itself, not a link to one: the walk descends it
    bool isRegularFile;
};

// The entries of `folder` but "." and "..", in any order; false with the
// system's words for the failure when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<ListedEntry>& listed, std::string& reason);

// The separator joined between a folder and a name in it.
char SeparatorAfter(const std::string& folder);
