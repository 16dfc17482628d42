// The list view: a virtual report list over the window's rows. It asks the model
// for the cells it draws, so 100,000 rows cost nothing to show. The selection
// is the model's (ranges): clicks and keys change it there and the view draws
// it, so the toolkit's own selection, which it keeps row by row, stays empty.
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

    // Ctrl+A: every row.
    void SelectAllRows();
    // After rows were removed: no row stays selected, the focus stays near where it was.
    void ForgetSelection();

    // The row with the keyboard focus, or -1.
    int32_t FocusedRow() const { return m_focusRow; }
    // Moves the focus to `row` and scrolls it into view; with `selectIt`, it
    // becomes the only selected row (the anchor of a later Shift range).
    void FocusRow(int32_t row, bool selectIt);
    // What a click with these modifiers does to `row` (-1: off the rows).
    void ClickRow(int32_t row, bool control, bool shift);

    // The toolkit's window that holds the rows and takes the keys and clicks.
    wxWindow* RowsWindow() const { return m_rowsWindow; }

private:
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    wxListItemAttr* OnGetItemAttr(long item) const override;

    void OnRowsLeftDown(wxMouseEvent& event);
    void OnRowsLeftDoubleClick(wxMouseEvent& event);
    void OnRowsRightDown(wxMouseEvent& event);
    void OnRowsKeyDown(wxKeyEvent& event);
    int32_t RowAtPoint(const wxPoint& point);
    // The focus follows the keys; Shift extends from the anchor, Ctrl only moves.
    void MoveFocus(int32_t row, bool control, bool shift);
    void ShowSelectionChange();
    const FileRow& CachedRow(long item) const;

    ListState& m_state;
    wxWindow* m_rowsWindow = nullptr;
    uint64_t m_drawnRevision = ~uint64_t{0};
    std::shared_ptr<const FileIdTable> m_table;  // the expected types' texts
    int32_t m_focusRow = -1;
    int32_t m_anchorRow = -1;
    // What the first click of a double click found: a double click on a row
    // of a larger selection acts on that selection, as it was.
    SelectionRanges m_selectionBeforeClick;
    int32_t m_clickedRow = -1;
    bool m_clickedRowWasSelected = false;
    mutable wxListItemAttr m_selectedAttr;
    // The row last asked for: one model lookup per row, not one per cell.
    mutable long m_cachedItem = -1;
    mutable uint64_t m_cachedRevision = 0;
    mutable FileRow m_cachedRow;
};
