#include "platform/folder_listing.h"
#include "platform/folder_walk.h"

#include <windows.h>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

// A junction or a symbolic link to a folder is listed, not descended, as a
// symbolic link is on Linux: it may lead back up the tree.
bool IsRealFolderAttributes(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

}  // namespace

Result<std::vector<ListedEntry>> ListFolder(const std::string& folder) {
    const std::optional<std::wstring> wide = WidePath(folder);
    if (!wide) return Win32Failure(ERROR_INVALID_NAME);
    std::wstring pattern = *wide;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return Win32Failure(GetLastError());
    std::vector<ListedEntry> listed;
    DWORD code = ERROR_NO_MORE_FILES;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const DWORD attributes = found.dwFileAttributes;
        listed.push_back({Utf8Path(name), IsRealFolderAttributes(attributes),
                          (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0});
    } while (FindNextFileW(search, &found) || (code = GetLastError()) != ERROR_NO_MORE_FILES);
    FindClose(search);
    if (code != ERROR_NO_MORE_FILES) return Win32Failure(code);
    return listed;
}

// Names are joined with the separator the folder was written with.
char SeparatorAfter(const std::string& folder) {
    return folder.find('\\') == std::string::npos && folder.find('/') != std::string::npos ? '/' : '\\';
}

bool IsRealFolder(const std::string& path) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return false;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && IsRealFolderAttributes(attributes);
}
