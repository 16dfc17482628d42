// A file that programs append to, the rename journal: a regular file or
// nothing. A symbolic link is refused, never followed, and a pipe, a device or
// a folder is refused without waiting on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/failure.h"
#include "platform/file_io.h"

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(AppendFile&& other) noexcept;
    AppendFile& operator=(AppendFile&& other) noexcept;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens the regular file at `path` for appending, creating it when missing.
    // Refused: "a symbolic link, not a regular file" or "not a regular file".
    static Result<AppendFile> Open(const std::string& path);

    bool IsOpen() const { return m_handle != kNoHandle; }

    // The file's size in bytes.
    Result<int64_t> Size() const;

    // Appends `bytes` at the end with one write: what programs append at once
    // never interleaves within it. A part written is a failure.
    std::optional<Failure> AppendWhole(std::string_view bytes);

private:
    void Close();

    // A file descriptor on Linux, a HANDLE on Windows; -1 is neither's valid value.
    static constexpr intptr_t kNoHandle = -1;
    intptr_t m_handle = kNoHandle;
};

// Opens the regular file at `path` for buffered reading while others may
// append to it. Refused as AppendFile::Open refuses; a missing file fails with
// code ENOENT.
Result<FileHandle> OpenAppendedFileForReading(const std::string& path);
