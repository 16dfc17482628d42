// "Rename File": shows a file's current name and proposes a new one, which
// the user may edit. Laid out in dialog units like the rest of the program.
// ShowModal gives wxID_OK, wxID_CANCEL (this file is skipped) or wxID_ABORT
// (Cancel All: no dialog for the files left).
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
    wxButton* CancelAllButton() const { return m_cancelAllButton; }

    // The new-name field takes the focus with its base name chosen, so typing
    // replaces the name and keeps the extension.
    void SelectBaseName();

private:
    wxButton* m_okButton = nullptr;
    wxButton* m_cancelAllButton = nullptr;
    wxTextCtrl* m_beforeField = nullptr;
    wxTextCtrl* m_afterField = nullptr;
};

// The length of `name` without its extension (the part from the last dot on).
long BaseNameLength(const wxString& name);
