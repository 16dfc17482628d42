// A file that programs append to, the rename journal: a regular file or
// nothing. A symbolic link is refused, never followed, and a pipe, a device or
// a folder is refused without waiting on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/failure.h"

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(AppendFile&& other) noexcept;
    AppendFile& operator=(AppendFile&& other) noexcept;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens the regular file at `path` for appending, and for reading back
    // what it holds, creating it when missing. Refused: "a symbolic link, not
    // a regular file" or "not a regular file".
    static Result<AppendFile> Open(const std::string& path);
    // Opens it for reading only, while others may append; a missing file
    // fails with code ENOENT.
    static Result<AppendFile> OpenForReading(const std::string& path);

    bool IsOpen() const { return m_handle != kNoHandle; }

    // The file's size in bytes.
    Result<int64_t> Size() const;

    // Reads up to `capacity` bytes from `offset`: the count read, 0 past the end.
    Result<int64_t> ReadAt(int64_t offset, char* buffer, int64_t capacity) const;

    // Appends `bytes` at the end with one write: what programs append at once
    // never interleaves within it. A part written is a failure.
    std::optional<Failure> AppendWhole(std::string_view bytes);

private:
    void Close();

    // A file descriptor on Linux, a HANDLE on Windows; -1 is neither's valid value.
    static constexpr intptr_t kNoHandle = -1;
    intptr_t m_handle = kNoHandle;
};

// Moves the file at `path` to `rotatedPath`, replacing what was there, when
// it holds `limit` bytes or more; true when it did. Programs that hold it open
// go on appending to it under its new name. Of several programs rotating at
// once, one moves the file and the others leave the new one alone.
Result<bool> RotateAppendedFile(const std::string& path, const std::string& rotatedPath, int64_t limit);
