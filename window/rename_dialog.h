// "Rename File": shows a file's current name and proposes a new one, which
// the user may edit. Laid out in dialog units like the rest of the program.
#pragma once

#include <wx/dialog.h>

class wxTextCtrl;
class wxButton;

class CRenameDialog : public wxDialog {
public:
    CRenameDialog(wxWindow* parent, const wxString& beforeName, const wxString& afterName);

    // What the fields hold; after the dialog has closed, what they held.
    wxString BeforeName() const;
    wxString AfterName() const;

    wxTextCtrl* BeforeField() const { return m_beforeField; }
    wxTextCtrl* AfterField() const { return m_afterField; }
    wxButton* OkButton() const { return m_okButton; }

private:
    wxButton* m_okButton = nullptr;
    wxTextCtrl* m_beforeField = nullptr;
    wxTextCtrl* m_afterField = nullptr;
};
