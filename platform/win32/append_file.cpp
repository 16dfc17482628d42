#include "platform/append_file.h"

#include <windows.h>

#include <cerrno>

#include "platform/error_text.h"
#include "platform/file_identity.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

const char* const kSymbolicLink = "a symbolic link, not a regular file";
const char* const kNotRegular = "not a regular file";

HANDLE AsHandle(intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// Why `path` is no regular file when an open of it failed with `code`: a
// folder fails to open as a file with "access denied", which would mislead.
Failure OpenFailure(const std::wstring& path, DWORD code) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return Failure{kSymbolicLink, ErrnoFromWin32(code)};
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Failure{kNotRegular, ErrnoFromWin32(code)};
    }
    return ErrnoFailureOf(code);
}

// Opens `path` with `access`, shared with every other reader and appender:
// the link itself rather than its target (FILE_FLAG_OPEN_REPARSE_POINT), then
// refused unless it is a plain file on a disk.
Result<HANDLE> OpenRegular(const std::string& path, DWORD access, DWORD disposition) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return ErrnoFailure(EINVAL);
    const HANDLE handle =
        CreateFileW(wide->c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return OpenFailure(*wide, GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
    if (!disk || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        const bool link = disk && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        CloseHandle(handle);
        return Failure{link ? kSymbolicLink : kNotRegular, EINVAL};
    }
    return handle;
}

}  // namespace

void AppendFile::Close() {
    if (m_handle != kNoHandle) CloseHandle(AsHandle(m_handle));
    m_handle = kNoHandle;
}

Result<AppendFile> AppendFile::Open(const std::string& path) {
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end of the file as it is then.
    const Result<HANDLE> handle =
        OpenRegular(path, FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE | FILE_READ_ATTRIBUTES, OPEN_ALWAYS);
    if (!handle) return handle.GetFailure();
    AppendFile file;
    file.m_handle = reinterpret_cast<intptr_t>(*handle);
    return file;
}

Result<AppendFile> AppendFile::OpenForReading(const std::string& path) {
    const Result<HANDLE> handle = OpenRegular(path, GENERIC_READ, OPEN_EXISTING);
    if (!handle) return handle.GetFailure();
    AppendFile file;
    file.m_handle = reinterpret_cast<intptr_t>(*handle);
    return file;
}

Result<int64_t> AppendFile::ReadAt(int64_t offset, char* buffer, int64_t capacity) const {
    if (!IsOpen()) return ErrnoFailure(EBADF);
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
    DWORD count = 0;
    const DWORD wanted = static_cast<DWORD>(capacity < MAXDWORD ? capacity : MAXDWORD);
    if (!ReadFile(AsHandle(m_handle), buffer, wanted, &count, &at)) {
        const DWORD code = GetLastError();
        if (code == ERROR_HANDLE_EOF) return int64_t{0};
        return ErrnoFailureOf(code);
    }
    return static_cast<int64_t>(count);
}

Result<int64_t> AppendFile::Size() const {
    if (!IsOpen()) return ErrnoFailure(EBADF);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(m_handle), &size)) return ErrnoFailureOf(GetLastError());
    return static_cast<int64_t>(size.QuadPart);
}

std::optional<Failure> AppendFile::AppendWhole(std::string_view bytes) {
    if (!IsOpen()) return ErrnoFailure(EBADF);
    if (bytes.size() > MAXDWORD) return ErrnoFailure(EFBIG);
    DWORD written = 0;
    if (!WriteFile(AsHandle(m_handle), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return ErrnoFailureOf(GetLastError());
    }
    if (written != bytes.size()) {
        return Failure{"only " + std::to_string(written) + " of " + std::to_string(bytes.size()) + " bytes written",
                       EIO};
    }
    return std::nullopt;
}

Result<bool> RotateAppendedFile(const std::string& path, const std::string& rotatedPath, int64_t limit) {
    const Result<HANDLE> opened = OpenRegular(path, GENERIC_READ, OPEN_EXISTING);
    if (!opened) return opened.GetFailure().code == ENOENT ? Result<bool>(false) : opened.GetFailure();
    const HANDLE handle = *opened;
    // Only the holder of the lock (a byte far past any end, so appends are not
    // held up) rotates, and only the file still at `path`: a second program
    // that locks the moved file afterwards finds another file at `path`.
    OVERLAPPED lockAt{};
    lockAt.OffsetHigh = 0x7FFFFFFF;
    bool rotated = false;
    std::optional<Failure> failure;
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &lockAt)) {
        BY_HANDLE_FILE_INFORMATION held{};
        LARGE_INTEGER size{};
        const std::optional<std::wstring> from = WidePath(path);
        const std::optional<std::wstring> to = WidePath(rotatedPath);
        if (from && to && GetFileInformationByHandle(handle, &held) && GetFileSizeEx(handle, &size) &&
            size.QuadPart >= limit) {
            const Result<FileIdentity> named = IdentityOfEntry(path);
            const uint64_t index = (static_cast<uint64_t>(held.nFileIndexHigh) << 32) | held.nFileIndexLow;
            if (named && named->volume == held.dwVolumeSerialNumber && named->index == index) {
                if (MoveFileExW(from->c_str(), to->c_str(), MOVEFILE_REPLACE_EXISTING)) {
                    rotated = true;
                } else {
                    failure = ErrnoFailureOf(GetLastError());
                }
            }
        }
        UnlockFileEx(handle, 0, 1, 0, &lockAt);
    }
    CloseHandle(handle);
    if (failure) return *failure;
    return rotated;
}
