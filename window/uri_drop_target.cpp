#include "window/uri_drop_target.h"

#include <wx/dataobj.h>

CUriDropTarget::CUriDropTarget(std::function<bool()> accepting, std::function<void(std::string)> dropped)
    : wxDropTarget(new wxCustomDataObject(wxDataFormat("text/uri-list"))),
      m_accepting(std::move(accepting)),
      m_dropped(std::move(dropped)) {}

wxDragResult CUriDropTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult proposed) {
    return OnDragOver(x, y, proposed);
}

wxDragResult CUriDropTarget::OnDragOver(wxCoord, wxCoord, wxDragResult) {
    return m_accepting() ? wxDragCopy : wxDragNone;
}

wxDragResult CUriDropTarget::OnData(wxCoord, wxCoord, wxDragResult) {
    if (!m_accepting() || !GetData()) return wxDragNone;
    const auto* data = static_cast<const wxCustomDataObject*>(GetDataObject());
    m_dropped(std::string(static_cast<const char*>(data->GetData()), data->GetSize()));
    return wxDragCopy;
}
