#include "window/text_convert.h"

#include <wx/strconv.h>

#ifdef __WXMSW__
#include <optional>
#include <string_view>

#include "platform/wide_text.h"
#endif

#ifdef __WXMSW__

// Windows: names are UTF-8 inside the program and UTF-16 in wx, as in the
// system; the wide-text helpers keep a lone surrogate both ways.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

wxString FromFileName(const std::string& bytes) {
    if (bytes.empty()) return wxString();
    const std::optional<std::u16string> wide = WideFromUtf8(bytes);
    // Bytes that are not UTF-8 name no Windows file: shown as best they can be.
    if (!wide) return wxString(bytes.data(), wxConvUTF8, bytes.size());
    return wxString(reinterpret_cast<const wchar_t*>(wide->data()), wide->size());
}

std::string FileNameBytes(const wxString& text) {
    const std::wstring& wide = text.ToStdWstring();
    return Utf8FromWide(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

#else

// POSIX: names are bytes; the file-name converter carries those that are not
// UTF-8 through wx's text and back unchanged.
wxString FromFileName(const std::string& bytes) {
    if (bytes.empty()) return wxString();
    return wxString(bytes.data(), *wxConvFileName, bytes.size());
}

std::string FileNameBytes(const wxString& text) {
    const wxCharBuffer buffer = text.fn_str();
    return std::string(buffer.data(), buffer.length());
}

#endif

wxString FromProgramText(const std::string& utf8) {
    if (utf8.empty()) return wxString();
    wxString text = wxString::FromUTF8(utf8.data(), utf8.size());
    if (text.empty()) text = FromFileName(utf8);
    return text;
}

std::string WithUnixLineEnds(std::string text) {
    std::string::size_type at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos) text.erase(at, 1);
    return text;
}
