// The status field under the list: disabled, thin sunken edge, its text
// left-aligned and vertically centred in the normal font, and on its right
// the counts after a check. Drawn by hand so its height follows the font.
#pragma once

#include <wx/window.h>

class CStatusLine : public wxWindow {
public:
    CStatusLine(wxWindow* parent, wxWindowID id);

    void SetText(const wxString& text);
    const wxString& GetText() const { return m_text; }
    // The second field, right-aligned; empty hides it.
    void SetCounts(const wxString& counts);
    const wxString& GetCounts() const { return m_counts; }

    // The height that shows one line of the font with its edge.
    int LineHeight() const;

private:
    void OnPaint(wxPaintEvent& event);

    wxString m_text;
    wxString m_counts;
    wxFont m_font;

    wxDECLARE_EVENT_TABLE();
};
