// Reading a regular file. Never blocks on a pipe or a device: anything but a
// regular file refuses to open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/file_io.h"
#include "platform/file_status.h"

// A file held open for the check: its leading bytes, then reads anywhere in it.
class LeadingBytesFile {
public:
    LeadingBytesFile() = default;
    ~LeadingBytesFile();
    LeadingBytesFile(const LeadingBytesFile&) = delete;
    LeadingBytesFile& operator=(const LeadingBytesFile&) = delete;

    // Opens the regular file at `path`; anything else is refused (a pipe or a
    // device with code EINVAL).
    std::optional<Failure> Open(const std::string& path);
    // Opens `path`, which a folder listing named a regular file, with no
    // status taken first: the open file's status serves, one system call
    // fewer. Whatever is found there, the status is that of `path` as
    // GetFileStatus would give it; only a regular file stays open (anything
    // swapped in since the listing is closed again at once, and the open
    // never waits for a pipe). None when the open or its status failed, and
    // always on Windows, whose listing counts links to files as files: the
    // caller then takes the status first, so failures read as they do there.
    std::optional<FileStatus> OpenListedRegularFile(const std::string& path);
    // Reads up to `capacity` bytes from the start: the count read.
    Result<int> Read(unsigned char* buffer, int capacity);
    // Reads up to `capacity` bytes from `offset`, in the same open file: the
    // count read, 0 past the end.
    Result<int64_t> ReadAt(int64_t offset, unsigned char* buffer, int64_t capacity);
    // The file's size in bytes.
    Result<int64_t> Size() const;

private:
    void Close();

    // A file descriptor on Linux, a HANDLE on Windows; -1 is neither's valid value.
    static constexpr intptr_t kNoHandle = -1;
    intptr_t m_handle = kNoHandle;
    // Windows: the turn this reader holds among the readers of its file, or -1.
    int m_turn = -1;
};

// Opens a regular file for buffered reading. A pipe, a device or a folder is
// refused with the reason "not a regular file"; the open itself never waits
// for a writer.
Result<FileHandle> OpenRegularFileForReading(const std::string& path);
