#include "platform/path_intake.h"

#include <algorithm>
#include <cstring>

#include "platform/path_split.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The local path a "file:" URI names, or empty when the URI is not a local file's.
std::string PathFromFileUri(std::string_view uri) {
    if (!StartsWithNoCase(uri, "file:")) return {};
    uri.remove_prefix(5);
    // "file:///path" and "file://localhost/path" are this machine's; another
    // host's files cannot be opened here.
    if (uri.substr(0, 2) == "//") {
        uri.remove_prefix(2);
        const size_t slash = uri.find('/');
        if (slash == std::string_view::npos) return {};
        const std::string_view host = uri.substr(0, slash);
        if (!host.empty() && !(host.size() == 9 && StartsWithNoCase(host, "localhost"))) return {};
        uri.remove_prefix(slash);
    }
    if (uri.empty() || uri.front() != '/') return {};
    std::string path;
    path.reserve(uri.size());
    for (size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && HexValue(uri[i + 1]) >= 0 && HexValue(uri[i + 2]) >= 0) {
            path += static_cast<char>(HexValue(uri[i + 1]) * 16 + HexValue(uri[i + 2]));
            i += 2;
        } else {
            path += uri[i];
        }
    }
    // A NUL cannot be part of a file name.
    if (path.find('\0') != std::string::npos) return {};
    return path;
}

}  // namespace

std::string AbsoluteFolder(std::string_view folder) {
    // No folder is the current one: a bare name lies there.
    if (folder.empty()) folder = "./";
    std::string absolute = AbsolutePath(folder);
    const auto isSeparator = [](char c) { return std::strchr(kPathSeparators, c) != nullptr; };
    if (!folder.empty() && isSeparator(folder.back()) && !isSeparator(absolute.back())) absolute += kPathSeparators[0];
    return absolute;
}

std::vector<std::string> PathsFromUriList(std::string_view text) {
    std::vector<std::string> paths;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\0')) line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        std::string path = PathFromFileUri(line);
        if (path.empty()) continue;
        // A folder's URI may end in '/'; a drop names the folder without it.
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        paths.push_back(std::move(path));
    }
    return paths;
}
