#include "list/list_state.h"

#include "signature/matcher.h"

ListState::ListState(std::shared_ptr<const FileIdTable> table) : m_table(std::move(table)) {}

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
