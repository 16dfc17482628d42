// Files dropped from other programs, taken as the raw list of URIs. The
// toolkit's own file drop parses every name on the window's thread (2.7 s for
// a million); this hands the bytes on unparsed, so a worker does it.
#pragma once

#include <functional>
#include <string>

#include <wx/dnd.h>

class CUriDropTarget : public wxDropTarget {
public:
    // `accepting` tells whether a drop would be taken now, so the cursor says
    // so while the pointer is over the window; `dropped` gets the list.
    CUriDropTarget(std::function<bool()> accepting, std::function<void(std::string)> dropped);

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult proposed) override;
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult proposed) override;
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult proposed) override;

private:
    std::function<bool()> m_accepting;
    std::function<void(std::string)> m_dropped;
};
