#include "window/rename_dialog.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "window/resource_ids.h"

namespace {

wxRect DialogUnits(wxWindow* dialog, int x, int y, int width, int height) {
    return wxRect(dialog->ConvertDialogToPixels(wxPoint(x, y)),
                  dialog->ConvertDialogToPixels(wxSize(width, height)));
}

}  // namespace

CRenameDialog::CRenameDialog(wxWindow* parent, const wxString& beforeName, const wxString& afterName)
    : wxDialog(parent, IDD_RENAME_DIALOG, _("Rename File"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    SetClientSize(ConvertDialogToPixels(wxSize(223, 86)));

    // Created in tab order: the new name first, then the buttons; Enter in
    // the field presses OK, the default.
    m_beforeField = new wxTextCtrl(this, IDC_BEFORE_NAME, beforeName, wxDefaultPosition, wxDefaultSize,
                                   wxTE_READONLY);
    m_beforeField->SetSize(DialogUnits(this, 7, 19, 209, 12));
    m_afterField = new wxTextCtrl(this, IDC_AFTER_NAME, afterName);
    m_afterField->SetSize(DialogUnits(this, 7, 47, 209, 12));
    m_okButton = new wxButton(this, wxID_OK, _("OK"), wxDefaultPosition, wxDefaultSize);
    m_okButton->SetSize(DialogUnits(this, 7, 67, 66, 12));
    auto* cancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    cancel->SetSize(DialogUnits(this, 78, 67, 66, 12));
    // Ends the whole sequence of dialogs, not only this file's.
    m_cancelAllButton = new wxButton(this, wxID_ABORT, _("Cancel &All"));
    m_cancelAllButton->SetSize(DialogUnits(this, 150, 67, 66, 12));
    m_cancelAllButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
        // Shown modeless by a rename sequence, the sequence takes the answer.
        if (IsModal()) {
            EndModal(wxID_ABORT);
        } else {
            event.Skip();
        }
    });
    auto* beforeLabel = new wxStaticText(this, wxID_ANY, _("Before filename:"));
    beforeLabel->SetSize(DialogUnits(this, 7, 7, 70, 8));
    auto* afterLabel = new wxStaticText(this, wxID_ANY, _("After filename:"));
    afterLabel->SetSize(DialogUnits(this, 7, 35, 70, 8));

    m_okButton->SetDefault();
    SelectBaseName();
    // GTK selects a whole entry when it first takes the focus: the base name is chosen again once shown.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) CallAfter([this] { SelectBaseName(); });
        event.Skip();
    });
    CentreOnParent();
}

long BaseNameLength(const wxString& name) {
    // A leading dot starts a hidden file's name, not an extension.
    const size_t dot = name.find_last_of('.');
    return dot == wxString::npos || dot == 0 ? static_cast<long>(name.length()) : static_cast<long>(dot);
}

void CRenameDialog::SelectBaseName() {
    m_afterField->SetFocus();
    m_afterField->SetSelection(0, BaseNameLength(m_afterField->GetValue()));
}

wxString CRenameDialog::BeforeName() const { return m_beforeField->GetValue(); }

wxString CRenameDialog::AfterName() const { return m_afterField->GetValue(); }
