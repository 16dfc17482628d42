#include "window/uri_drop_target.h"

#include <cstring>
#include <utility>

#include <wx/dataobj.h>

namespace {

// The list as the drop delivers it, kept in one string that the intake then
// takes over: a million names are some 80 MB, not to be copied twice more.
class UriListData : public wxDataObjectSimple {
public:
    UriListData() : wxDataObjectSimple(wxDataFormat("text/uri-list")) {}

    size_t GetDataSize() const override { return m_bytes.size(); }
    bool GetDataHere(void* buffer) const override {
        std::memcpy(buffer, m_bytes.data(), m_bytes.size());
        return true;
    }
    bool SetData(size_t length, const void* bytes) override {
        m_bytes.assign(static_cast<const char*>(bytes), length);
        return true;
    }

    std::string Take() { return std::exchange(m_bytes, std::string()); }

private:
    std::string m_bytes;
};

}  // namespace

CUriDropTarget::CUriDropTarget(std::function<bool()> accepting, std::function<void(std::string)> dropped)
    : wxDropTarget(new UriListData),
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
    m_dropped(static_cast<UriListData*>(GetDataObject())->Take());
    return wxDragCopy;
}
