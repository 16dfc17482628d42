#include "window/clipboard_files.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

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
