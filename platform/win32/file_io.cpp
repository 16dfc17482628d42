#include "platform/file_io.h"

#include <windows.h>

#include <cerrno>

#include "platform/error_text.h"
#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

std::optional<Failure> CreateFolders(const std::string& folder) {
    const std::optional<std::wstring> wide = WidePath(folder);
    if (!wide) return ErrnoFailure(EINVAL);
    // Each prefix that ends before a separator, after a drive ("C:") or a
    // share ("\\server\share") that cannot be created.
    for (size_t at = 1; at <= wide->size(); ++at) {
        if (at != wide->size() && (*wide)[at] != L'\\' && (*wide)[at] != L'/') continue;
        const std::wstring part = wide->substr(0, at);
        if (part.size() == 2 && part[1] == L':') continue;
        if (!CreateDirectoryW(part.c_str(), nullptr)) {
            const DWORD code = GetLastError();
            if (code != ERROR_ALREADY_EXISTS && code != ERROR_ACCESS_DENIED && code != ERROR_INVALID_NAME &&
                code != ERROR_BAD_NETPATH && code != ERROR_BAD_NET_NAME)
                return ErrnoFailureOf(code);
        }
    }
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ErrnoFailureOf(GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ErrnoFailure(ENOTDIR);
    return std::nullopt;
}

bool EntryExists(const std::string& path) {
    const std::optional<std::wstring> wide = WidePath(path);
    return wide && GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

bool Identity(const std::string& path, SymbolicLinks links, BY_HANDLE_FILE_INFORMATION& info) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return false;
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (links == SymbolicLinks::DoNotFollow ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    // No access asked: the identity can be read even of a file another program holds.
    const HANDLE handle = CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return known;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b, SymbolicLinks links) {
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return Identity(a, links, ia) && Identity(b, links, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}
