#include "window/status_images.h"

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/imaglist.h>

#ifndef __WXMSW__
#include "resources/icon_app.xpm"
#endif
#include "resources/icon_folder.xpm"
#include "resources/icon_match.xpm"
#include "resources/icon_mismatch.xpm"
#include "resources/icon_unknown.xpm"

namespace {

wxBitmap Small(const char* const* xpm) {
    wxImage image(xpm);
    // The drawings are 32x32; the list shows them at half size.
    return wxBitmap(image.Scale(16, 16, wxIMAGE_QUALITY_HIGH));
}

}  // namespace

wxIconBundle AppIcons() {
#ifdef __WXMSW__
    // "quorvane" in window/quorvane.rc.
    return wxIconBundle("quorvane", nullptr);
#else
    return wxIconBundle(wxIcon(icon_app_xpm));
#endif
}

wxImageList* CreateStatusImages() {
    auto* images = new wxImageList(16, 16, true, 4);
    images->Add(Small(icon_unknown_xpm));   // STATUS_UNKNOWN
    images->Add(Small(icon_mismatch_xpm));  // STATUS_MISMATCH
    images->Add(Small(icon_match_xpm));     // STATUS_MATCH
    images->Add(Small(icon_folder_xpm));    // STATUS_FOLDER
    return images;
}
