// The status of a path as the checker sees it: the low attribute byte of the
// platform, and whether the path is a regular file that may be opened.
#pragma once

#include <cstdint>
#include <string>

#include "platform/failure.h"

inline constexpr uint8_t kAttributeReadOnly = 0x01;
inline constexpr uint8_t kAttributeHidden = 0x02;
inline constexpr uint8_t kAttributeDirectory = 0x10;

struct FileStatus {
    uint8_t attributes = 0;
    bool isRegularFile = false;
};

// Windows: the low byte of the file's own attributes (read-only, hidden,
// system, directory, archive). Linux, which has no such byte, makes one from
// the mode and the name: directory 0x10; read-only 0x01 when nobody has a
// write bit; hidden 0x02 when the last component starts with a dot.
// Follows symbolic links. A failure when the path does not exist or cannot be examined.
Result<FileStatus> GetFileStatus(const std::string& path);
