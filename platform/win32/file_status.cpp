#include "platform/file_status.h"

#include <windows.h>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

// The bits the table's attribute byte knows: read-only, hidden, system,
// directory and archive. Higher ones (compressed, reparse point...) are not part of it.
constexpr DWORD kAttributeByteMask = 0x37;

}  // namespace

std::optional<FileStatus> GetFileStatus(const std::string& path) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (path.empty() || !wide) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) {
        ErrnoFromLastError();
        return std::nullopt;
    }
    DWORD attributes = data.dwFileAttributes;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link is judged by what it points to, as on POSIX.
        const HANDLE handle = CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            ErrnoFromLastError();
            return std::nullopt;
        }
        BY_HANDLE_FILE_INFORMATION target{};
        const bool known = GetFileInformationByHandle(handle, &target);
        CloseHandle(handle);
        if (!known) {
            ErrnoFromLastError();
            return std::nullopt;
        }
        attributes = target.dwFileAttributes;
    }
    FileStatus status;
    status.attributes = static_cast<uint8_t>(attributes & kAttributeByteMask);
    status.isRegularFile = (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
    return status;
}
