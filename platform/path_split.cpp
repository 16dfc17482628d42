#include "platform/path_split.h"

#include "platform/path_split_internal.h"

namespace {

PathParts Split(std::string_view path, bool windows) {
    PathParts parts;
    if (windows && path.size() >= 2 && path[1] == ':') {
        parts.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    const std::string_view separators = windows ? std::string_view("\\/") : std::string_view("/");
    const size_t lastSeparator = path.find_last_of(separators);
    std::string_view name = path;
    if (lastSeparator != std::string_view::npos) {
        parts.directory = std::string(path.substr(0, lastSeparator + 1));
        name = path.substr(lastSeparator + 1);
    }
    size_t lastDot = name.rfind('.');
    if (!windows && lastDot == 0) lastDot = std::string_view::npos;
    if (lastDot == std::string_view::npos) {
        parts.baseName = std::string(name);
    } else {
        parts.baseName = std::string(name.substr(0, lastDot));
        parts.extension = std::string(name.substr(lastDot));
    }
    return parts;
}

}  // namespace

PathParts SplitPathWindows(std::string_view path) { return Split(path, true); }
PathParts SplitPathPosix(std::string_view path) { return Split(path, false); }

PathParts SplitPath(std::string_view path) {
#ifdef _WIN32
    return SplitPathWindows(path);
#else
    return SplitPathPosix(path);
#endif
}

std::string PathExtension(std::string_view path) { return SplitPath(path).extension; }

std::string LocationOf(const PathParts& parts) { return parts.drive + parts.directory; }
std::string FileNameOf(const PathParts& parts) { return parts.baseName + parts.extension; }

namespace {
bool IsSingleName(std::string_view name, std::string_view forbidden) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of(forbidden) == std::string_view::npos;
}
}  // namespace

bool IsSingleNameWindows(std::string_view name) { return IsSingleName(name, std::string_view("/\\:\0", 4)); }
bool IsSingleNamePosix(std::string_view name) { return IsSingleName(name, std::string_view("/\0", 2)); }

bool IsSingleName(std::string_view name) {
#ifdef _WIN32
    return IsSingleNameWindows(name);
#else
    return IsSingleNamePosix(name);
#endif
}
