#include "window/clipboard_files.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#ifdef __WXMSW__

#include "window/text_convert.h"

std::vector<std::string> ClipboardFilePaths() {
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_FILENAME)) return {};
    wxFileDataObject data;
    if (!wxTheClipboard->GetData(data)) return {};
    std::vector<std::string> paths;
    for (const wxString& name : data.GetFilenames()) paths.push_back(FileNameBytes(name));
    return paths;
}

#else

std::string ClipboardFileList() {
    wxClipboardLocker locker;
    if (!locker) return {};
    for (const char* format : {"text/uri-list", "x-special/gnome-copied-files"}) {
        const wxDataFormat dataFormat{wxString(format)};
        if (!wxTheClipboard->IsSupported(dataFormat)) continue;
        wxCustomDataObject data(dataFormat);
        if (!wxTheClipboard->GetData(data)) continue;
        return std::string(static_cast<const char*>(data.GetData()), data.GetSize());
    }
    return {};
}

#endif

std::string ClipboardPlainText() {
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return {};
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data)) return {};
    return data.GetText().utf8_string();
}
