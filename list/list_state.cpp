#include "list/list_state.h"

#include <utility>

#include "engine/journal_writer.h"
#include "signature/matcher.h"

ListState::ListState(std::shared_ptr<const FileIdTable> table)
    : m_table(std::move(table)), m_journalPath(DefaultJournalPath()) {}

std::shared_ptr<const FileIdTable> ListState::Table() const {
    std::lock_guard lock(m_tableMutex);
    return m_table;
}

void ListState::SetTable(std::shared_ptr<const FileIdTable> table) {
    std::lock_guard lock(m_tableMutex);
    m_table = table ? std::move(table) : std::make_shared<FileIdTable>();
}

std::string ListState::CellText(int32_t row, int column) const {
    if (column != kColumnExpectType) return m_rows.GetText(row, column);
    return ExpectedTypeText(*Table(), m_rows.VerdictOf(row));
}

std::optional<UndoOffer> ListState::GetUndoOffer() const {
    std::lock_guard lock(m_undoMutex);
    return m_undoOffer;
}

void ListState::SetUndoOffer(std::optional<UndoOffer> offer) {
    std::lock_guard lock(m_undoMutex);
    m_undoOffer = std::move(offer);
}

void ListState::PostUnreadableFolders(std::vector<UnreadableFolder> folders) {
    std::lock_guard lock(m_foldersMutex);
    m_unreadableFolders = std::move(folders);
}

std::vector<UnreadableFolder> ListState::TakeUnreadableFolders() {
    std::lock_guard lock(m_foldersMutex);
    return std::exchange(m_unreadableFolders, {});
}
