#include "window/about_dialog.h"

#include <wx/button.h>
#include <wx/intl.h>
#include <wx/stattext.h>

#include "window/resource_ids.h"

namespace {

wxRect DialogUnits(wxWindow* dialog, int x, int y, int width, int height) {
    return wxRect(dialog->ConvertDialogToPixels(wxPoint(x, y)),
                  dialog->ConvertDialogToPixels(wxSize(width, height)));
}

}  // namespace

wxString AboutText() {
    return "Quorvane Version1.10\n\n" + _("Gives files the extension\ntheir content calls for.");
}

CAboutDialog::CAboutDialog(wxWindow* parent)
    : wxDialog(parent, IDD_ABOUT_BOX, _("About Quorvane"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    SetClientSize(ConvertDialogToPixels(wxSize(150, 83)));
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetSize(DialogUnits(this, 7, 64, 136, 12));
    auto* text = new wxStaticText(this, wxID_STATIC, AboutText(), wxDefaultPosition, wxDefaultSize,
                                  wxALIGN_LEFT | wxST_NO_AUTORESIZE);
    text->SetSize(DialogUnits(this, 7, 7, 136, 51));
    ok->SetFocus();
    CentreOnParent();
}
