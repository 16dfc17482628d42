// The list view: a virtual report list over the window's rows. It asks the model
// for the cells it draws, so 100,000 rows cost nothing to show.
#pragma once

#include <cstdint>
#include <memory>

#include <wx/listctrl.h>

#include "list/list_state.h"

class CFileListView : public wxListCtrl {
public:
    CFileListView(wxWindow* parent, wxWindowID id, ListState& state, const wxPoint& position, const wxSize& size);

    // Takes in the model's changes: row count, visible rows. True when the
    // model had changed since the last call.
    bool Synchronise();

    // Copies the control's selection into the model's flags. Selection
    // events do not cover every change (a range picked with Shift in a
    // virtual list sends one event), so rename actions call this first.
    void CopySelectionToModel();

    // Ctrl+A: every row, in the control and in the model at once.
    void SelectAllRows();
    // After rows were removed: no row stays selected or focused by position.
    void ForgetSelection();

private:
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    wxListItemAttr* OnGetItemAttr(long) const override { return nullptr; }

    void OnSelected(wxListEvent& event);
    void OnDeselected(wxListEvent& event);
    const FileRow& CachedRow(long item) const;

    ListState& m_state;
    uint64_t m_drawnRevision = ~uint64_t{0};
    std::shared_ptr<const FileIdTable> m_table;  // the expected types' texts
    // The row last asked for: one model lookup per row, not one per cell.
    mutable long m_cachedItem = -1;
    mutable uint64_t m_cachedRevision = 0;
    mutable FileRow m_cachedRow;
};
