#include "platform/file_identity.h"

#include <windows.h>

#include <cerrno>

#include "platform/error_text.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

// The handle's file information; `flags` say whether a final reparse point is opened itself.
Result<BY_HANDLE_FILE_INFORMATION> InformationOf(const std::string& path, DWORD flags) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return ErrnoFailure(EINVAL);
    const HANDLE handle =
        CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ErrnoFailureOf(GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info);
    const DWORD code = GetLastError();
    CloseHandle(handle);
    if (!known) return ErrnoFailureOf(code);
    return info;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info, bool withSize) {
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
                        withSize ? (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow : 0};
}

}  // namespace

Result<FileIdentity> IdentityOfEntry(const std::string& path) {
    const Result<BY_HANDLE_FILE_INFORMATION> info = InformationOf(path, FILE_FLAG_OPEN_REPARSE_POINT);
    if (!info) return info.GetFailure();
    return IdentityOf(*info, true);
}

Result<FileIdentity> IdentityOfFolder(const std::string& path) {
    // "C:\\dir\\" as "C:\\dir"; a root keeps its separator.
    std::string folder = path;
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    const Result<BY_HANDLE_FILE_INFORMATION> info = InformationOf(folder, 0);
    if (!info) return info.GetFailure();
    if (!(info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return ErrnoFailure(ENOTDIR);
    return IdentityOf(*info, false);
}
