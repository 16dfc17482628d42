#include "platform/win32/wide_path.h"

#include <cstdlib>

#include "platform/wide_text.h"

// wchar_t is a UTF-16 unit on Windows, so the two string kinds share their bytes.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::optional<std::wstring> WidePath(std::string_view path) {
    std::optional<std::u16string> wide = WideFromUtf8(path);
    if (!wide || wide->find(u'\0') != std::u16string::npos) return std::nullopt;
    return std::wstring(reinterpret_cast<const wchar_t*>(wide->data()), wide->size());
}

std::string Utf8Path(std::wstring_view path) {
    return Utf8FromWide(std::u16string_view(reinterpret_cast<const char16_t*>(path.data()), path.size()));
}

std::string EnvironmentText(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? Utf8Path(value) : std::string();
}
