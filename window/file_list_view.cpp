#include "window/file_list_view.h"

#include "signature/matcher.h"
#include "window/text_convert.h"

CFileListView::CFileListView(wxWindow* parent, wxWindowID id, ListState& state, const wxPoint& position,
                             const wxSize& size)
    : wxListCtrl(parent, id, position, size, wxLC_REPORT | wxLC_VIRTUAL | wxBORDER_SUNKEN),
      m_state(state),
      m_table(state.Table()) {
    // Mirror single clicks and keyboard moves at once; ranges are copied
    // before a rename.
    Bind(wxEVT_LIST_ITEM_SELECTED, &CFileListView::OnSelected, this);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &CFileListView::OnDeselected, this);
}

bool CFileListView::Synchronise() {
    FileList& list = m_state.Rows();
    const uint64_t revision = list.Revision();
    if (revision == m_drawnRevision) return false;
    m_drawnRevision = revision;
    m_table = m_state.Table();
    const long count = list.RowCount();
    if (count != GetItemCount()) {
        // Rows were cleared: the control's selection of old rows goes too.
        if (count < GetItemCount()) SetItemCount(0);
        SetItemCount(count);
    }
    Refresh(false);
    return true;
}

void CFileListView::CopySelectionToModel() {
    FileList& list = m_state.Rows();
    const long count = std::min<long>(GetItemCount(), list.RowCount());
    const long selected = GetSelectedItemCount();
    if (selected == 0) {
        list.SetAllSelected(false);
        return;
    }
    if (selected == count) {
        list.SetAllSelected(true);
        return;
    }
    // The control's lookup grows with the number of selected rows: at 100,000
    // rows a handful takes under 1 ms, 10,000 about 0.25 s, 50,000 about 1 s
    // (bench/view_bench.cpp). Done once per rename action, not per event.
    list.SetAllSelected(false);
    for (long item = 0; item < count; ++item) {
        if (GetItemState(item, wxLIST_STATE_SELECTED) != 0) list.SetSelected(static_cast<int32_t>(item), true);
    }
}

void CFileListView::SelectAllRows() {
    if (GetItemCount() == 0) return;
    // -1: all items in one step, which a virtual list does without a per-row event.
    SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    m_state.Rows().SetAllSelected(true);
}

void CFileListView::ForgetSelection() {
    // A virtual list keeps selection by position: emptied, it drops it all.
    SetItemCount(0);
    m_drawnRevision = ~uint64_t{0};
    Synchronise();
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

void CFileListView::OnSelected(wxListEvent& event) {
    m_state.Rows().SetSelected(static_cast<int32_t>(event.GetIndex()), true);
    event.Skip();
}

void CFileListView::OnDeselected(wxListEvent& event) {
    if (event.GetIndex() < 0) {
        m_state.Rows().SetAllSelected(false);
    } else {
        m_state.Rows().SetSelected(static_cast<int32_t>(event.GetIndex()), false);
    }
    event.Skip();
}
