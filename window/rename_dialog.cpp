#include "window/rename_dialog.h"

#include <wx/button.h>
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
    : wxDialog(parent, IDD_RENAME_DIALOG, "Rename File", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    SetClientSize(ConvertDialogToPixels(wxSize(223, 86)));

    // Created in tab order: OK first, so it takes the focus and Enter accepts.
    m_okButton = new wxButton(this, wxID_OK, "OK", wxDefaultPosition, wxDefaultSize);
    m_okButton->SetSize(DialogUnits(this, 7, 67, 100, 12));
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    cancel->SetSize(DialogUnits(this, 116, 67, 100, 12));
    m_beforeField = new wxTextCtrl(this, IDC_BEFORE_NAME, beforeName, wxDefaultPosition, wxDefaultSize,
                                   wxTE_READONLY);
    m_beforeField->SetSize(DialogUnits(this, 7, 19, 209, 12));
    m_afterField = new wxTextCtrl(this, IDC_AFTER_NAME, afterName);
    m_afterField->SetSize(DialogUnits(this, 7, 47, 209, 12));
    auto* beforeLabel = new wxStaticText(this, wxID_ANY, "Before filename:");
    beforeLabel->SetSize(DialogUnits(this, 7, 7, 70, 8));
    auto* afterLabel = new wxStaticText(this, wxID_ANY, "After filename:");
    afterLabel->SetSize(DialogUnits(this, 7, 35, 70, 8));

    m_okButton->SetDefault();
    m_okButton->SetFocus();
    CentreOnParent();
}

wxString CRenameDialog::BeforeName() const { return m_beforeField->GetValue(); }

wxString CRenameDialog::AfterName() const { return m_afterField->GetValue(); }
