// Reading the leading bytes of a regular file. Never blocks on a pipe or a
// device: anything but a regular file refuses to open.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class LeadingBytesFile {
public:
    explicit LeadingBytesFile(const std::string& path);
    ~LeadingBytesFile();
    LeadingBytesFile(const LeadingBytesFile&) = delete;
    LeadingBytesFile& operator=(const LeadingBytesFile&) = delete;

    bool IsOpen() const { return m_handle != kNoHandle; }
    // Reads up to `capacity` bytes from the start; the count read, or -1 on a read error.
    int Read(unsigned char* buffer, int capacity);
    // Reads up to `capacity` bytes from `offset`, in the same open file: the
    // count read (0 past the end), or -1 on a read error.
    int64_t ReadAt(int64_t offset, unsigned char* buffer, int64_t capacity);
    // The file's size in bytes, or -1 when it cannot be told.
    int64_t Size() const;
    void Close();

private:
    // A file descriptor on POSIX, a HANDLE on Windows; -1 is neither's valid value.
    static constexpr intptr_t kNoHandle = -1;
    intptr_t m_handle = kNoHandle;
    // Windows: the turn this reader holds among the readers of its file, or -1.
    int m_turn = -1;
};

// Convenience: the leading bytes of a file, or -1 when it cannot be opened or read.
inline int ReadLeadingBytes(const std::string& path, unsigned char* buffer, int capacity) {
    LeadingBytesFile file(path);
    return file.IsOpen() ? file.Read(buffer, capacity) : -1;
}

// Opens a regular file for buffered reading, or gives null: a pipe, a device,
// a folder or a missing file. The open itself never waits for a writer.
std::FILE* OpenRegularFileForReading(const std::string& path);
