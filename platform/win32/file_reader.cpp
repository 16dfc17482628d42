#include "platform/file_reader.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <mutex>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

// Opens an existing disk file for reading, or gives INVALID_HANDLE_VALUE with
// errno set. A pipe, a console or a device is refused (closed again at once):
// reading one could wait forever. Folders fail to open as files.
HANDLE OpenDiskFile(const std::string& path, DWORD sharing) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return INVALID_HANDLE_VALUE;
    const HANDLE handle =
        CreateFileW(wide->c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        ErrnoFromLastError();
        return handle;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        errno = EINVAL;
        return INVALID_HANDLE_VALUE;
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
LeadingBytesFile::LeadingBytesFile(const std::string& path) : m_turn(TurnOf(path)) {
    g_turns[m_turn].lock();
    m_handle = reinterpret_cast<intptr_t>(OpenDiskFile(path, 0));
    if (m_handle == kNoHandle) {
        g_turns[m_turn].unlock();
        m_turn = -1;
    }
}

LeadingBytesFile::~LeadingBytesFile() { Close(); }

void LeadingBytesFile::Close() {
    if (m_handle != kNoHandle) CloseHandle(AsHandle(m_handle));
    m_handle = kNoHandle;
    if (m_turn >= 0) g_turns[m_turn].unlock();
    m_turn = -1;
}

int LeadingBytesFile::Read(unsigned char* buffer, int capacity) {
    if (m_handle == kNoHandle) return -1;
    int total = 0;
    while (total < capacity) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_handle), buffer + total, static_cast<DWORD>(capacity - total), &got, nullptr)) {
            ErrnoFromLastError();
            return -1;
        }
        if (got == 0) break;
        total += static_cast<int>(got);
    }
    return total;
}

int64_t LeadingBytesFile::ReadAt(int64_t offset, unsigned char* buffer, int64_t capacity) {
    if (m_handle == kNoHandle || offset < 0) return -1;
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
            if (GetLastError() == ERROR_HANDLE_EOF) break;
            ErrnoFromLastError();
            return -1;
        }
        if (got == 0) break;
        total += got;
    }
    return total;
}

int64_t LeadingBytesFile::Size() const {
    LARGE_INTEGER size{};
    if (m_handle == kNoHandle || !GetFileSizeEx(AsHandle(m_handle), &size)) return -1;
    return size.QuadPart;
}

std::FILE* OpenRegularFileForReading(const std::string& path) {
    // Others may read the table while we do, but not change it.
    const HANDLE handle = OpenDiskFile(path, FILE_SHARE_READ);
    if (handle == INVALID_HANDLE_VALUE) {
        if (errno == EINVAL) errno = 0;  // it exists: the caller says it is not a regular file
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "rb");
    if (!file) _close(descriptor);
    return file;
}
