#include "platform/path_intake.h"

#include <windows.h>

#include "platform/win32/wide_path.h"

// GetFullPathNameW joins a relative name to the current folder of its drive
// and takes "." and ".." away, as Windows itself resolves them: unlike on Linux,
// ".." there always means the folder the text suggests.
std::string AbsolutePath(std::string_view argument) {
    if (argument.empty()) return {};
    const std::optional<std::wstring> wide = WidePath(argument);
    if (!wide) return std::string(argument);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide->c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) return std::string(argument);
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length);
    }
    // A drop names a folder without its separator; a drive's root keeps it.
    while (buffer.size() > 3 && (buffer.back() == L'\\' || buffer.back() == L'/')) buffer.pop_back();
    return Utf8Path(buffer);
}
