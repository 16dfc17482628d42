// Everything the check needs to know about one path from the file system:
// its status, and up to 64 leading bytes when it is a regular file. Taking
// this is the only I/O of a check, so it is what runs ahead in parallel.
#pragma once

#include <cstdint>
#include <string>

struct PathProbe {
    static constexpr int kCapacity = 64;

    bool exists = false;        // the status could be taken
    uint8_t attributes = 0;     // the attribute byte, when it exists
    bool isRegularFile = false;
    bool opened = false;        // a regular file opened for reading
    int count = -1;             // bytes read from the start, or -1 when not read
    int error = 0;              // the system's error number of the first failure, or 0
    unsigned char bytes[kCapacity];
};

// Never opens anything but a regular file, and never blocks on a pipe or a device.
PathProbe ProbePath(const std::string& path);
