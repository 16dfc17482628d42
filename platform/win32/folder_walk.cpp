#include "platform/folder_walk.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/system_error.h"
#include "platform/win32/wide_path.h"

namespace {

struct Listed {
    std::string name;
    bool isRealFolder;
    bool isRegularFile;
};

// A junction or a symbolic link to a folder is listed, not descended, as a
// symbolic link is on POSIX: it may lead back up the tree.
bool IsRealFolderAttributes(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The whole listing is read before anything is visited, so a deep tree holds
// one search handle at a time.
bool ListFolder(const std::string& folder, std::vector<Listed>& listed, std::string& reason) {
    const std::optional<std::wstring> wide = WidePath(folder);
    if (!wide) {
        reason = Win32ErrorText(ERROR_INVALID_NAME);
        return false;
    }
    std::wstring pattern = *wide;
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        reason = Win32ErrorText(GetLastError());
        return false;
    }
    DWORD code = ERROR_NO_MORE_FILES;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const DWORD attributes = found.dwFileAttributes;
        listed.push_back({Utf8Path(name), IsRealFolderAttributes(attributes),
                          (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0});
    } while (FindNextFileW(search, &found) || (code = GetLastError()) != ERROR_NO_MORE_FILES);
    FindClose(search);
    if (code != ERROR_NO_MORE_FILES) {
        reason = Win32ErrorText(code);
        return false;
    }
    // std::string compares as unsigned bytes: UTF-8 sorts in code point order.
    std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) { return a.name < b.name; });
    return true;
}

bool Walk(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    std::vector<Listed> listed;
    std::string reason;
    if (!ListFolder(folder, listed, reason)) {
        if (visitor.unreadable) visitor.unreadable(folder, reason);
        return !(stop && *stop);
    }
    // Names are joined with the separator the folder was written with.
    const bool hasSeparator = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    const char separator = folder.find('\\') == std::string::npos && folder.find('/') != std::string::npos ? '/' : '\\';
    const std::string prefix = hasSeparator ? folder : folder + separator;
    for (Listed& item : listed) {
        if (stop && *stop) return false;
        std::string path = prefix + item.name;
        if (item.isRealFolder) {
            if (!Walk(path, visitor, stop)) return false;
        } else if (visitor.entry) {
            visitor.entry(FolderEntry{std::move(path), item.isRegularFile});
        }
    }
    return true;
}

}  // namespace

bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    if (stop && *stop) return false;
    return Walk(folder, visitor, stop);
}

bool IsRealFolder(const std::string& path) {
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) return false;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && IsRealFolderAttributes(attributes);
}
