// The files Auto Rename could not rename: a summary line, a list of file, new
// name and reason, and the list to copy or save. The list is virtual, so the
// dialog opens as fast for thousands of failures as for one, and it keeps to
// the screen whatever their number.
#pragma once

#include <string>
#include <vector>

#include <wx/dialog.h>

#include "engine/rename.h"

class wxButton;
class wxListCtrl;
class wxStaticText;

class CRenameReportDialog : public wxDialog {
public:
    CRenameReportDialog(wxWindow* parent, std::vector<RenameFailure> failures);

    wxStaticText* Summary() const { return m_summary; }
    wxListCtrl* List() const { return m_list; }
    wxButton* CopyButton() const { return m_copy; }
    wxButton* SaveButton() const { return m_save; }

    // The whole list as text: what Copy puts on the clipboard and Save writes.
    std::string ReportText() const;
    // Writes it to the file, its names' bytes unchanged. False when the file
    // could not be written whole.
    bool SaveReport(const wxString& path) const;

private:
    void OnCopy(wxCommandEvent& event);
    void OnSave(wxCommandEvent& event);
    void SizeColumns();

    std::vector<RenameFailure> m_failures;
    wxStaticText* m_summary = nullptr;
    wxListCtrl* m_list = nullptr;
    wxButton* m_copy = nullptr;
    wxButton* m_save = nullptr;
};

// "1 file was not renamed", "N files were not renamed".
wxString NotRenamedSummary(size_t count);
