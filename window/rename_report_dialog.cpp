#include "window/rename_report_dialog.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <utility>

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/intl.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "engine/translatable.h"
#include "platform/path_split.h"
#include "window/message_boxes.h"
#include "window/text_convert.h"

namespace {

enum ReportColumn { kColumnFile, kColumnNewName, kColumnReason };

// The usual causes of a refused rename, in words a translation can give; the
// English window shows the system's own words for them.
const char* CauseOf(int code) {
    switch (code) {
        case EEXIST: return Translatable("another file already has the new name");
        case ENOENT: return Translatable("the file is no longer there");
        case EACCES:
        case EPERM: return Translatable("no permission to rename it");
        case EROFS: return Translatable("the disk is read-only");
        case ENAMETOOLONG: return Translatable("the new name is too long");
        case EBUSY: return Translatable("the file is in use");
        case EINVAL: return Translatable("the new name is not allowed here");
        default: return nullptr;
    }
}

// The reason in the window's language: a fixed reason as the catalogue has
// it, then the catalogue's words for the system's error number, then the
// system's own words.
wxString ReasonText(const RenameFailure& failure) {
    const wxString reason = FromProgramText(failure.reason);
    if (const wxString translated = wxGetTranslation(reason); translated != reason) return translated;
    if (const char* cause = CauseOf(failure.code)) {
        const wxString english = wxString::FromUTF8(cause);
        if (const wxString translated = wxGetTranslation(english); translated != english) return translated;
    }
    return reason;
}

// Asks the failures for the cells it draws, never holding a copy of them.
class FailureListView : public wxListCtrl {
public:
    FailureListView(wxWindow* parent, const std::vector<RenameFailure>& failures)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxBORDER_SUNKEN),
          m_failures(failures) {
        InsertColumn(kColumnFile, _("File"));
        InsertColumn(kColumnNewName, _("New name"));
        InsertColumn(kColumnReason, _("Reason"));
        SetItemCount(static_cast<long>(failures.size()));
    }

private:
    wxString OnGetItemText(long item, long column) const override {
        const RenameFailure& failure = m_failures[static_cast<size_t>(item)];
        switch (column) {
            case kColumnFile: return FromFileName(failure.oldPath);
            // A row without a proposal has no new name to show.
            case kColumnNewName:
                if (failure.newPath.empty()) return _("(none)");
                return FromFileName(FileNameOf(SplitPath(failure.newPath)));
            default: return ReasonText(failure);
        }
    }

    const std::vector<RenameFailure>& m_failures;
};

}  // namespace

wxString NotRenamedSummary(size_t count) {
    if (count == 1) return _("1 file was not renamed");
    return wxString::Format(_("%zu files were not renamed"), count);
}

CRenameReportDialog::CRenameReportDialog(wxWindow* parent, std::vector<RenameFailure> failures)
    : wxDialog(parent, wxID_ANY, _("Auto Rename"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER),
      m_failures(std::move(failures)) {
    m_summary = new wxStaticText(this, wxID_ANY, NotRenamedSummary(m_failures.size()));
    m_list = new FailureListView(this, m_failures);
    // Not the stock ids: GTK would put its own label, in its own language, on a stock button.
    m_copy = new wxButton(this, wxID_ANY, _("&Copy"));
    m_save = new wxButton(this, wxID_ANY, _("&Save..."));
    auto* ok = new wxButton(this, wxID_OK, _("OK"));

    const int gap = ConvertDialogToPixels(wxSize(4, 0)).x;
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_copy, 0, wxRIGHT, gap);
    buttons->Add(m_save);
    buttons->AddStretchSpacer();
    buttons->Add(ok);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_summary, 0, wxALL, 2 * gap);
    column->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, 2 * gap);
    column->Add(buttons, 0, wxEXPAND | wxALL, 2 * gap);
    SetSizer(column);

    // A fixed size, never one grown from the contents, held inside the screen.
    const int found = wxDisplay::GetFromWindow(parent ? parent : this);
    const wxRect area = wxDisplay(found == wxNOT_FOUND ? 0u : static_cast<unsigned>(found)).GetClientArea();
    const wxSize wanted = ConvertDialogToPixels(wxSize(340, 200));
    SetMinSize(ConvertDialogToPixels(wxSize(160, 100)));
    SetSize(std::min(wanted.x, area.width * 9 / 10), std::min(wanted.y, area.height * 9 / 10));
    Layout();
    SizeColumns();

    m_copy->Bind(wxEVT_BUTTON, &CRenameReportDialog::OnCopy, this);
    m_save->Bind(wxEVT_BUTTON, &CRenameReportDialog::OnSave, this);
    ok->SetDefault();
    ok->SetFocus();
    CentreOnParent();
}

void CRenameReportDialog::SizeColumns() {
    // The client width leaves out a vertical scroll bar where one takes room,
    // so no horizontal one appears at first. The path needs the most room.
    // The reason and the new name as wide as their texts in the first rows
    // (within bounds), so a reason is read whole; the path has the rest.
    const int width = m_list->GetClientSize().x;
    const int rows = std::min(m_list->GetItemCount(), 200);
    const auto widest = [this, rows](ReportColumn column, int least, int most) {
        int widest = 0;
        for (int row = 0; row < rows; ++row) {
            widest = std::max(widest, m_list->GetTextExtent(m_list->GetItemText(row, column)).x);
        }
        return std::clamp(widest + FromDIP(20), least, most);
    };
    const int reason = widest(kColumnReason, width / 5, width / 2);
    const int newName = widest(kColumnNewName, width / 6, width / 4);
    m_list->SetColumnWidth(kColumnFile, width - reason - newName);
    m_list->SetColumnWidth(kColumnNewName, newName);
    m_list->SetColumnWidth(kColumnReason, reason);
}

std::string CRenameReportDialog::ReportText() const { return RenameFailureReport(m_failures); }

void CRenameReportDialog::OnCopy(wxCommandEvent&) {
    wxClipboardLocker clipboard;
    if (!clipboard || !wxTheClipboard->SetData(new wxTextDataObject(FromFileName(ReportText())))) {
        ShowNotice(this, _("The list could not be copied to the clipboard."));
        return;
    }
    // Keeps the text available after the program has ended, where the desktop allows it.
    wxTheClipboard->Flush();
}

void CRenameReportDialog::OnSave(wxCommandEvent&) {
    wxFileDialog chooser(this, _("Save the list"), wxString(), "not-renamed.txt", _("Text files (*.txt)|*.txt|All files|*"),
                         wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (chooser.ShowModal() != wxID_OK) return;
    if (!SaveReport(chooser.GetPath())) ShowNotice(this, wxString::Format(_("The list could not be saved to %s."), chooser.GetPath()));
}

bool CRenameReportDialog::SaveReport(const wxString& path) const {
    const std::string text = ReportText();
    std::ofstream out(FileNameBytes(path), std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}
