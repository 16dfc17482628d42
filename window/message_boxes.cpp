#include "window/message_boxes.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "window/text_convert.h"

namespace {

wxString CaptionOr(const wxString& caption) {
    if (!caption.empty()) return caption;
    return wxTheApp ? wxTheApp->GetAppName() : wxString();
}

}  // namespace

bool AskYesNo(wxWindow* owner, const wxString& text, const wxString& caption) {
    wxMessageDialog box(owner, text, CaptionOr(caption), wxYES_NO | wxYES_DEFAULT | wxICON_NONE);
    return box.ShowModal() == wxID_YES;
}

void ShowNotice(wxWindow* owner, const wxString& text, const wxString& caption) {
    wxMessageDialog box(owner, text, CaptionOr(caption), wxOK | wxICON_NONE);
    box.ShowModal();
}

void ShowFatalMessage(const std::string& message) {
    ShowNotice(nullptr, FromProgramText(WithUnixLineEnds(message)));
}

void ShowTextReport(wxWindow* owner, const wxString& caption, const wxString& summary, const wxString& text) {
    wxDialog dialog(owner, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
                    wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(&dialog, wxID_ANY, summary), 0, wxALL, 8);
    auto* lines = new wxTextCtrl(&dialog, wxID_ANY, text, wxDefaultPosition, dialog.FromDIP(wxSize(520, 240)),
                                 wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    sizer->Add(lines, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
    sizer->Add(dialog.CreateButtonSizer(wxOK), 0, wxEXPAND | wxALL, 8);
    dialog.SetSizerAndFit(sizer);
    dialog.ShowModal();
}
