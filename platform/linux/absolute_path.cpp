#include "platform/path_intake.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <unistd.h>

namespace {

std::string CurrentFolder() {
    std::string buffer(PATH_MAX, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return "/";
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

}  // namespace

std::string AbsolutePath(std::string_view argument) {
    if (argument.empty()) return {};
    const std::string joined = argument.front() == '/' ? std::string(argument) : CurrentFolder() + "/" + std::string(argument);
    std::string path;
    size_t at = 0;
    while (at < joined.size()) {
        const size_t end = std::min(joined.find('/', at), joined.size());
        const std::string_view component(joined.data() + at, end - at);
        if (!component.empty() && component != ".") {
            path += '/';
            path += component;
        }
        at = end + 1;
    }
    return path.empty() ? "/" : path;
}
