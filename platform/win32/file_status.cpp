#include "platform/file_status.h"

#include <windows.h>

#include <cerrno>

#include "platform/error_text.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

// The bits the table's attribute byte knows: read-only, hidden, system,
// directory and archive. Higher ones (compressed, reparse point...) are not part of it.
constexpr DWORD kAttributeByteMask = 0x37;

}  // namespace

Result<FileStatus> GetFileStatus(const std::string& path) {
    if (path.empty()) return ErrnoFailure(ENOENT);
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return ErrnoFailure(EINVAL);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return ErrnoFailureOf(GetLastError());
    DWORD attributes = data.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link is judged by what it points to, as on Linux.
        const HANDLE handle = CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return ErrnoFailureOf(GetLastError());
        BY_HANDLE_FILE_INFORMATION target{};
        const bool known = GetFileInformationByHandle(handle, &target);
        const DWORD code = GetLastError();
        CloseHandle(handle);
        if (!known) return ErrnoFailureOf(code);
        attributes = target.dwFileAttributes;
    }
    FileStatus status;
    status.attributes = static_cast<uint8_t>(attributes & kAttributeByteMask);
    status.isRegularFile = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
    return status;
}
