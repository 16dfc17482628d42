// The one-line status field under the list: disabled, thin sunken edge, its
// text left-aligned and vertically centred. Drawn by hand because a GTK text
// entry cannot be made 14 pixels high without clipping its text.
#pragma once

#include <wx/window.h>

class CStatusLine : public wxWindow {
public:
    CStatusLine(wxWindow* parent, wxWindowID id);

    void SetText(const wxString& text);
    const wxString& GetText() const { return m_text; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void FitFont();

    wxString m_text;
    wxFont m_font;

    wxDECLARE_EVENT_TABLE();
};
