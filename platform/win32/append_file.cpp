#include "platform/append_file.h"

#include <windows.h>

#include <cerrno>

#include "platform/error_text.h"
#include "platform/win32/reading_stream.h"
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
    const Result<HANDLE> handle = OpenRegular(path, FILE_APPEND_DATA | SYNCHRONIZE | FILE_READ_ATTRIBUTES, OPEN_ALWAYS);
    if (!handle) return handle.GetFailure();
    AppendFile file;
    file.m_handle = reinterpret_cast<intptr_t>(*handle);
    return file;
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

Result<FileHandle> OpenAppendedFileForReading(const std::string& path) {
    const Result<HANDLE> handle = OpenRegular(path, GENERIC_READ, OPEN_EXISTING);
    if (!handle) return handle.GetFailure();
    return ReadingStreamOf(*handle);
}
