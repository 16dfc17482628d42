#include "platform/data_location.h"

#include <climits>
#include <unistd.h>

#include "platform/file_status.h"

namespace {
bool Exists(const std::string& path) { return GetFileStatus(path).has_value(); }
}  // namespace

std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    std::string path(buffer, static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string LocateDataFile(const std::string& name) {
    if (Exists(name)) return name;
    const std::string folder = ExecutableFolder();
    if (!folder.empty()) {
        const std::string installed = folder + "../share/quorvane/" + name;
        if (Exists(installed)) return installed;
    }
    return name;
}
