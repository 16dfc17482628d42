#include "window/status_line.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>

wxBEGIN_EVENT_TABLE(CStatusLine, wxWindow)
    EVT_PAINT(CStatusLine::OnPaint)
    EVT_SIZE(CStatusLine::OnSize)
wxEND_EVENT_TABLE()

CStatusLine::CStatusLine(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    FitFont();
    // Shown, never typed into: it takes no focus and no keys.
    Disable();
}

void CStatusLine::SetText(const wxString& text) {
    if (text == m_text) return;
    m_text = text;
    Refresh(false);
}

void CStatusLine::OnSize(wxSizeEvent& event) {
    FitFont();
    Refresh(false);
    event.Skip();
}

void CStatusLine::FitFont() {
    // The largest size of the GUI font whose line fits between the edge's
    // top and bottom pixels.
    const int height = GetClientSize().y > 0 ? GetClientSize().y : 14;
    wxClientDC dc(this);
    m_font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    for (double points = m_font.GetFractionalPointSize(); points > 4; points -= 0.5) {
        m_font.SetFractionalPointSize(points);
        dc.SetFont(m_font);
        if (dc.GetCharHeight() <= height - 2) break;
    }
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

    if (m_text.empty()) return;
    dc.SetFont(m_font);
    // Grey as a disabled field's text, but darker than the theme's grey, which
    // is hard to read at this size.
    dc.SetTextForeground(wxColour(72, 72, 72));
    const wxSize extent = dc.GetTextExtent(m_text);
    dc.SetClippingRegion(1, 1, std::max(0, size.x - 2), std::max(0, size.y - 2));
    dc.DrawText(m_text, 3, (size.y - extent.y) / 2);
}
