// Everything the check needs to know about one path from the file system:
// its status, and up to 64 leading bytes when it is a regular file. Taking
// this is the only I/O of a check, so it is what runs ahead in parallel.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/failure.h"

class LeadingBytesFile;

struct PathProbe {
    static constexpr int kCapacity = 64;

    bool exists = false;             // the status could be taken
    uint8_t attributes = 0;          // the attribute byte, when it exists
    bool isRegularFile = false;
    bool opened = false;             // a regular file opened for reading
    int count = -1;                  // bytes read from the start, or -1 when not read
    std::optional<Failure> failure;  // what failed first: the status, the open or the read
    unsigned char bytes[kCapacity];
    // What a second look inside the still open file named, when one was taken
    // and named something.
    std::optional<std::string> member;
};

// A second look at a file whose leading bytes were read, in the same open
// file: it reads more of it and may name what the file is.
using LookInsideFile = std::function<std::optional<std::string>(LeadingBytesFile& file, const PathProbe& probe)>;

// Never opens anything but a regular file, and never blocks on a pipe or a
// device. With `look`, a file whose leading bytes were read is looked into
// before it is closed.
PathProbe ProbePath(const std::string& path, const LookInsideFile& look = {});

// The same probe, with the same result, for a path a folder listing named a
// regular file (not a link): it is opened without a status taken first, one
// system call fewer a file on a warm check. Anything found there in its place
// since is closed again unread.
PathProbe ProbeListedRegularFile(const std::string& path, const LookInsideFile& look = {});
