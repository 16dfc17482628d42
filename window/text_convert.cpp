#include "window/text_convert.h"

#include <wx/strconv.h>

wxString FromFileName(const std::string& bytes) {
    if (bytes.empty()) return wxString();
    return wxString(bytes.data(), *wxConvFileName, bytes.size());
}

std::string FileNameBytes(const wxString& text) {
    const wxCharBuffer buffer = text.fn_str();
    return std::string(buffer.data(), buffer.length());
}

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
