#include "window/status_line.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>

namespace {

constexpr int kPadding = 3;

}  // namespace

wxBEGIN_EVENT_TABLE(CStatusLine, wxWindow)
    EVT_PAINT(CStatusLine::OnPaint)
wxEND_EVENT_TABLE()

CStatusLine::CStatusLine(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      m_font(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(m_font);
    // Shown, never typed into: it takes no focus and no keys.
    Disable();
}

int CStatusLine::LineHeight() const {
    wxClientDC dc(const_cast<CStatusLine*>(this));
    dc.SetFont(m_font);
    return dc.GetCharHeight() + 2 * kPadding;
}

void CStatusLine::SetText(const wxString& text) {
    if (text == m_text) return;
    m_text = text;
    Refresh(false);
}

void CStatusLine::SetCounts(const wxString& counts) {
    if (counts == m_counts) return;
    m_counts = counts;
    Refresh(false);
}

void CStatusLine::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();

    // Thin sunken edge: shadow on top and left, highlight on bottom and right.
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.DrawLine(0, 0, size.x - 1, 0);
    dc.DrawLine(0, 0, 0, size.y - 1);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
    dc.DrawLine(0, size.y - 1, size.x, size.y - 1);
    dc.DrawLine(size.x - 1, 0, size.x - 1, size.y);

    dc.SetFont(m_font);
    // Grey as a disabled field's text, but darker than the theme's grey, which is hard to read.
    dc.SetTextForeground(wxColour(72, 72, 72));
    int textRight = size.x - kPadding;
    if (!m_counts.empty()) {
        const wxSize extent = dc.GetTextExtent(m_counts);
        // The counts may take two thirds of the line: after a check they matter most.
        const int left = std::max(size.x / 3, size.x - kPadding - extent.x);
        dc.SetClippingRegion(left, 1, std::max(0, size.x - 1 - left), std::max(0, size.y - 2));
        dc.DrawText(m_counts, left, (size.y - extent.y) / 2);
        dc.DestroyClippingRegion();
        // A thin separator between the two fields.
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
        dc.DrawLine(left - kPadding - 1, 2, left - kPadding - 1, size.y - 2);
        textRight = left - 2 * kPadding - 2;
    }
    if (m_text.empty()) return;
    const wxSize extent = dc.GetTextExtent(m_text);
    dc.SetClippingRegion(1, 1, std::max(0, textRight - 1), std::max(0, size.y - 2));
    dc.DrawText(m_text, kPadding, (size.y - extent.y) / 2);
}
