// What tells one file from another that took its name: the volume, the
// file's number on it and its size.
#pragma once

#include <cstdint>
#include <string>

#include "platform/failure.h"

struct FileIdentity {
    uint64_t volume = 0;  // device (Linux), volume serial number (Windows)
    uint64_t index = 0;   // inode (Linux), file index (Windows)
    uint64_t size = 0;    // bytes; 0 for a folder

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the entry `path` names itself: a final symbolic link is
// not followed, so a link that takes a file's name is not that file.
Result<FileIdentity> IdentityOfEntry(const std::string& path);

// The identity of the folder `path` leads to, links followed; its size is 0.
Result<FileIdentity> IdentityOfFolder(const std::string& path);
