#include "platform/data_location.h"

#include <windows.h>

#include "platform/file_status.h"
#include "platform/win32/wide_path.h"

namespace {

bool Exists(const std::string& path) { return GetFileStatus(path).HasValue(); }

// A folder from the environment with a separator at its end, or empty when unset.
std::string EnvironmentFolder(const wchar_t* name) {
    const std::string folder = EnvironmentText(name);
    return folder.empty() ? folder : folder + "\\";
}

// Folder of the running executable, ending with a separator, or empty when unknown.
std::string ExecutableFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    const size_t separator = buffer.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::string() : Utf8Path(buffer.substr(0, separator + 1));
}

}  // namespace

std::vector<std::string> TranslationFolders() {
    const std::string folder = ExecutableFolder();
    if (folder.empty()) return {};
    return {folder + "locale"};
}

std::string UserStateFolder() {
    std::string base = EnvironmentFolder(L"LOCALAPPDATA");
    if (base.empty()) base = EnvironmentFolder(L"APPDATA");
    return base + "Quorvane\\";
}

// Windows keeps a program's files beside it: the current folder first, as
// the user's own copy, then the executable's folder.
std::vector<std::string> DataFilePlaces(const std::string& name) {
    std::vector<std::string> places{name};
    const std::string folder = ExecutableFolder();
    if (!folder.empty()) places.push_back(folder + name);
    return places;
}

std::string LocateDataFile(const std::string& name) {
    for (const std::string& place : DataFilePlaces(name)) {
        if (Exists(place)) return place;
    }
    return name;
}

std::string LocateUserOrInstalledDataFile(const std::string& name) {
    const std::string roaming = EnvironmentFolder(L"APPDATA");
    const std::string own = roaming.empty() ? std::string() : roaming + "Quorvane\\" + name;
    if (!own.empty() && Exists(own)) return own;
    const std::string folder = ExecutableFolder();
    return folder.empty() ? own : folder + name;
}
