#include "platform/data_location.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

#include "platform/file_status.h"

namespace {

bool Exists(const std::string& path) { return GetFileStatus(path).HasValue(); }

// Folder of the running executable, ending with a separator, or empty when unknown.
std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    std::string path(buffer, static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string InstalledDataFile(const std::string& name) {
    const std::string folder = ExecutableFolder();
    return folder.empty() ? std::string() : folder + "../share/quorvane/" + name;
}

std::string UserConfigFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/";
    const char* home = std::getenv("HOME");
    return home && home[0] != 0 ? std::string(home) + "/.config/" : std::string();
}

}  // namespace

std::vector<std::string> TranslationFolders() {
    const std::string folder = ExecutableFolder();
    if (folder.empty()) return {};
    return {folder + "../share/locale", folder + "../locale"};
}

std::string UserStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    // XDG base directories: a relative value is to be ignored.
    std::string base = state && state[0] == '/' ? state : "";
    if (base.empty()) {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/state";
    }
    return base + "/quorvane/";
}

std::vector<std::string> DataFilePlaces(const std::string& name) {
    std::vector<std::string> places{name};
    const std::string installed = InstalledDataFile(name);
    if (!installed.empty()) places.push_back(installed);
    return places;
}

std::string LocateDataFile(const std::string& name) {
    for (const std::string& place : DataFilePlaces(name)) {
        if (Exists(place)) return place;
    }
    return name;
}

std::string LocateUserOrInstalledDataFile(const std::string& name) {
    const std::string folder = UserConfigFolder();
    const std::string own = folder.empty() ? std::string() : folder + "quorvane/" + name;
    if (!own.empty() && Exists(own)) return own;
    const std::string installed = InstalledDataFile(name);
    if (!installed.empty()) return installed;
    return own.empty() ? "/usr/share/quorvane/" + name : own;
}
