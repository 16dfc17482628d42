#include "platform/file_reader.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

#include "platform/error_text.h"
#include "platform/win32/reading_stream.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

// Opens an existing disk file for reading. A pipe, a console or a device is
// refused (closed again at once, code EINVAL): reading one could wait
// forever. Folders fail to open as files.
Result<HANDLE> OpenDiskFile(const std::string& path, DWORD sharing) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return ErrnoFailure(EINVAL);
    const HANDLE handle =
        CreateFileW(wide->c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ErrnoFailureOf(GetLastError());
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return ErrnoFailure(EINVAL);
    }
    return handle;
}

HANDLE AsHandle(intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// The check reads ahead on many threads, and one file may stand in two rows
// (dropped twice): without sharing, two of our own readers would shut each
// other out. Readers of one file take turns by one of these locks, chosen by
// the path with letter case and separators folded as Windows folds them.
constexpr int kTurnCount = 64;
std::mutex g_turns[kTurnCount];

int TurnOf(const std::string& path) {
    size_t hash = 14695981039346656037u;
    for (char c : path) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '/') c = '\\';
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    }
    return static_cast<int>(hash % kTurnCount);
}

}  // namespace

// No sharing while the check holds the file: a file another program is
// writing is not judged half written, and nobody changes it under the read.
std::optional<Failure> LeadingBytesFile::Open(const std::string& path) {
    Close();
    m_turn = TurnOf(path);
    g_turns[m_turn].lock();
    Result<HANDLE> handle = OpenDiskFile(path, 0);
    if (!handle) {
        g_turns[m_turn].unlock();
        m_turn = -1;
        return handle.GetFailure();
    }
    m_handle = reinterpret_cast<intptr_t>(*handle);
    return std::nullopt;
}

// A listed reparse point counts as a file here, though its status is that of
// its target: the status is taken first, as for any path.
std::optional<FileStatus> LeadingBytesFile::OpenListedRegularFile(const std::string&) {
    Close();
    return std::nullopt;
}

LeadingBytesFile::~LeadingBytesFile() { Close(); }

void LeadingBytesFile::Close() {
    if (m_handle != kNoHandle) CloseHandle(AsHandle(m_handle));
    m_handle = kNoHandle;
    if (m_turn >= 0) g_turns[m_turn].unlock();
    m_turn = -1;
}

Result<int> LeadingBytesFile::Read(unsigned char* buffer, int capacity) {
    if (m_handle == kNoHandle) return ErrnoFailure(EBADF);
    int total = 0;
    while (total < capacity) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_handle), buffer + total, static_cast<DWORD>(capacity - total), &got, nullptr)) {
            return ErrnoFailureOf(GetLastError());
        }
        if (got == 0) break;
        total += static_cast<int>(got);
    }
    return total;
}

Result<int64_t> LeadingBytesFile::ReadAt(int64_t offset, unsigned char* buffer, int64_t capacity) {
    if (m_handle == kNoHandle) return ErrnoFailure(EBADF);
    if (offset < 0) return ErrnoFailure(EINVAL);
    int64_t total = 0;
    while (total < capacity) {
        // An offset in the OVERLAPPED structure reads there on a handle opened for plain, synchronous I/O.
        OVERLAPPED at{};
        const uint64_t position = static_cast<uint64_t>(offset + total);
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD want = static_cast<DWORD>(std::min<int64_t>(capacity - total, 1 << 30));
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_handle), buffer + total, want, &got, &at)) {
            const DWORD code = GetLastError();
            if (code == ERROR_HANDLE_EOF) break;
            return ErrnoFailureOf(code);
        }
        if (got == 0) break;
        total += got;
    }
    return total;
}

Result<int64_t> LeadingBytesFile::Size() const {
    if (m_handle == kNoHandle) return ErrnoFailure(EBADF);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(m_handle), &size)) return ErrnoFailureOf(GetLastError());
    return static_cast<int64_t>(size.QuadPart);
}

Result<FileHandle> OpenRegularFileForReading(const std::string& path) {
    // Others may read the table while we do, but not change it.
    Result<HANDLE> handle = OpenDiskFile(path, FILE_SHARE_READ);
    if (!handle) {
        // It exists, or its name cannot be a file's: either way no regular file to read.
        if (handle.GetFailure().code == EINVAL) return Failure{"not a regular file"};
        return handle.GetFailure();
    }
    return ReadingStreamOf(*handle);
}
