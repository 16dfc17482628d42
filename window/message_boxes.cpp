#include "window/message_boxes.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

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
