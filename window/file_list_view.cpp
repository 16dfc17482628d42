#include "window/file_list_view.h"

#include <algorithm>

#include <wx/settings.h>

#include "signature/matcher.h"
#include "window/text_convert.h"

CFileListView::CFileListView(wxWindow* parent, wxWindowID id, ListState& state, const wxPoint& position,
                             const wxSize& size)
    : wxListCtrl(parent, id, position, size, wxLC_REPORT | wxLC_VIRTUAL | wxBORDER_SUNKEN),
      m_state(state),
      m_table(state.Table()) {
    m_selectedAttr.SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    m_selectedAttr.SetTextColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT));
    m_rowsWindow = this;
#ifndef __WXMSW__
    // The generic control draws its rows in a child of its own, which gets the
    // clicks and keys; its class is private, so it is found among the children.
    for (wxWindow* child : GetChildren()) {
        if (static_cast<const void*>(child) == static_cast<const void*>(m_mainWin)) m_rowsWindow = child;
    }
#endif
    // Bound on the rows' window, so they come before the toolkit's own handling,
    // which would select row by row.
    m_rowsWindow->Bind(wxEVT_LEFT_DOWN, &CFileListView::OnRowsLeftDown, this);
    m_rowsWindow->Bind(wxEVT_LEFT_DCLICK, &CFileListView::OnRowsLeftDoubleClick, this);
    m_rowsWindow->Bind(wxEVT_RIGHT_DOWN, &CFileListView::OnRowsRightDown, this);
    m_rowsWindow->Bind(wxEVT_KEY_DOWN, &CFileListView::OnRowsKeyDown, this);
}

bool CFileListView::Synchronise() {
    FileList& list = m_state.Rows();
    const uint64_t revision = list.Revision();
    if (revision == m_drawnRevision) return false;
    m_drawnRevision = revision;
    m_table = m_state.Table();
    const long count = list.RowCount();
    if (count != GetItemCount()) {
        if (count < GetItemCount()) SetItemCount(0);
        SetItemCount(count);
        if (m_focusRow >= count) m_focusRow = count - 1;
        if (m_anchorRow >= count) m_anchorRow = -1;
        // The first rows in get the focus, so the first Down goes to row 2, not past row 1.
        if (m_focusRow < 0 && count > 0) m_focusRow = 0;
        if (m_focusRow >= 0) SetItemState(m_focusRow, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    }
    Refresh(false);
    return true;
}

void CFileListView::SelectAllRows() {
    m_state.Rows().SetAllSelected(true);
    ShowSelectionChange();
}

void CFileListView::ForgetSelection() {
    m_state.Rows().SetAllSelected(false);
    m_anchorRow = -1;
    m_drawnRevision = ~uint64_t{0};
    Synchronise();
    if (m_focusRow >= 0) EnsureVisible(m_focusRow);
}

int32_t CFileListView::RowAtPoint(const wxPoint& point) {
    int flags = 0;
    const long item = HitTest(point, flags);
    if (item < 0 || item >= GetItemCount() || (flags & wxLIST_HITTEST_ONITEM) == 0) return -1;
    return static_cast<int32_t>(item);
}

void CFileListView::ClickRow(int32_t row, bool control, bool shift) {
    FileList& list = m_state.Rows();
    if (row < 0) {
        if (!control && !shift) list.SetAllSelected(false);
        ShowSelectionChange();
        return;
    }
    const int32_t anchor = m_anchorRow >= 0 ? m_anchorRow : row;
    list.EditSelection([&](SelectionRanges& selection, int32_t) {
        if (shift) {
            if (!control) selection.Clear();
            selection.Add(anchor, row);
        } else if (control) {
            selection.Toggle(row);
        } else {
            selection.Clear();
            selection.Add(row, row);
        }
    });
    if (!shift) m_anchorRow = row;
    m_focusRow = row;
    SetItemState(row, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    ShowSelectionChange();
}

void CFileListView::FocusRow(int32_t row, bool selectIt) {
    if (row < 0 || row >= GetItemCount()) return;
    if (selectIt) {
        m_anchorRow = -1;
        ClickRow(row, false, false);
    } else {
        m_focusRow = row;
        SetItemState(row, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
        ShowSelectionChange();
    }
    EnsureVisible(row);
}

void CFileListView::MoveFocus(int32_t row, bool control, bool shift) {
    const long count = GetItemCount();
    if (count == 0) return;
    row = std::clamp<int32_t>(row, 0, static_cast<int32_t>(count - 1));
    if (control && !shift) {
        m_focusRow = row;
        SetItemState(row, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
        ShowSelectionChange();
    } else {
        if (shift && m_anchorRow < 0) m_anchorRow = std::max(m_focusRow, 0);
        ClickRow(row, false, shift);
    }
    EnsureVisible(row);
}

void CFileListView::ShowSelectionChange() {
    // At once rather than at the next view tick: the click should look answered.
    m_drawnRevision = ~uint64_t{0};
    Synchronise();
    m_rowsWindow->Refresh(false);
}

void CFileListView::OnRowsLeftDown(wxMouseEvent& event) {
    m_rowsWindow->SetFocus();
    const int32_t row = RowAtPoint(event.GetPosition());
    m_selectionBeforeClick = m_state.Rows().Selection();
    m_clickedRow = row;
    m_clickedRowWasSelected = row >= 0 && m_selectionBeforeClick.Contains(row);
    ClickRow(row, event.ControlDown(), event.ShiftDown());
}

void CFileListView::OnRowsLeftDoubleClick(wxMouseEvent& event) {
    const int32_t row = RowAtPoint(event.GetPosition());
    if (row < 0) return;
    if (row == m_clickedRow && m_clickedRowWasSelected && !event.ControlDown() && !event.ShiftDown()) {
        m_state.Rows().EditSelection(
            [this](SelectionRanges& selection, int32_t) { selection = m_selectionBeforeClick; });
        ShowSelectionChange();
    }
    wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, GetId());
    activated.SetEventObject(this);
    activated.m_itemIndex = row;
    GetEventHandler()->ProcessEvent(activated);
}

void CFileListView::OnRowsRightDown(wxMouseEvent& event) {
    m_rowsWindow->SetFocus();
    // A row outside the selection becomes it, as a left click would make it.
    const int32_t row = RowAtPoint(event.GetPosition());
    if (row >= 0 && !m_state.Rows().IsSelected(row)) ClickRow(row, false, false);
    wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, GetId(), m_rowsWindow->ClientToScreen(event.GetPosition()));
    menu.SetEventObject(this);
    GetEventHandler()->ProcessEvent(menu);
}

void CFileListView::OnRowsKeyDown(wxKeyEvent& event) {
    const bool control = event.ControlDown();
    const bool shift = event.ShiftDown();
    const int32_t page = std::max(1, GetCountPerPage() - 1);
    const int32_t last = static_cast<int32_t>(GetItemCount()) - 1;
    // Before any row had the focus, Down and Up land on the first row; with
    // nothing selected, the first of them selects the focused row itself
    // rather than the one after it.
    const int32_t from = m_focusRow;
    const int key = event.GetKeyCode();
    const bool upOrDown = key == WXK_DOWN || key == WXK_UP || key == WXK_NUMPAD_DOWN || key == WXK_NUMPAD_UP;
    if (upOrDown && !control && !shift && from >= 0 && m_state.Rows().SelectedCount() == 0) {
        FocusRow(from, true);
        return;
    }
    switch (key) {
        case WXK_DOWN: case WXK_NUMPAD_DOWN: MoveFocus(from < 0 ? 0 : from + 1, control, shift); return;
        case WXK_UP: case WXK_NUMPAD_UP: MoveFocus(from < 0 ? 0 : from - 1, control, shift); return;
        case WXK_PAGEDOWN: case WXK_NUMPAD_PAGEDOWN: MoveFocus(std::max(from, 0) + page, control, shift); return;
        case WXK_PAGEUP: case WXK_NUMPAD_PAGEUP: MoveFocus(std::max(from, 0) - page, control, shift); return;
        case WXK_HOME: case WXK_NUMPAD_HOME: MoveFocus(0, control, shift); return;
        case WXK_END: case WXK_NUMPAD_END: MoveFocus(last, control, shift); return;
        case WXK_SPACE:
            if (from >= 0) ClickRow(from, control, shift);
            return;
        default:
            // The toolkit's type-ahead would search the rows one by one and
            // select in its own store; letters do nothing here.
            if (!event.HasAnyModifiers() && event.GetUnicodeKey() != WXK_NONE && event.GetUnicodeKey() > ' ') return;
            event.Skip();
            return;
    }
}

const FileRow& CFileListView::CachedRow(long item) const {
    const uint64_t revision = m_state.Rows().Revision();
    if (item != m_cachedItem || revision != m_cachedRevision) {
        m_cachedRow = m_state.Rows().RowAt(static_cast<int32_t>(item));
        m_cachedItem = item;
        m_cachedRevision = revision;
    }
    return m_cachedRow;
}

wxString CFileListView::OnGetItemText(long item, long column) const {
    const FileRow& row = CachedRow(item);
    // Names are the file system's bytes; the expected type is the program's text.
    switch (column) {
        case kColumnLocation: return FromFileName(row.location);
        case kColumnFileName: return FromFileName(row.fileName);
        case kColumnExpectType: return FromProgramText(ExpectedTypeText(*m_table, row.verdict));
        default: return wxString();
    }
}

int CFileListView::OnGetItemImage(long item) const { return CachedRow(item).Status(); }

wxListItemAttr* CFileListView::OnGetItemAttr(long item) const {
    return CachedRow(item).selected ? &m_selectedAttr : nullptr;
}
