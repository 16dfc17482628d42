#include "signature/file_id_table.h"

#include <mutex>

namespace {
std::mutex g_tableMutex;
std::shared_ptr<const FileIdTable>& InstalledTable() {
    static auto* table = new std::shared_ptr<const FileIdTable>(std::make_shared<FileIdTable>());
    return *table;
}
}  // namespace

bool FileIdTable::Append(const FileIdEntry& entry) {
    if (Count() >= kFileIdTableSize) return false;
    m_entries.push_back(entry);
    return true;
}

std::shared_ptr<const FileIdTable> CurrentFileIdTable() {
    std::lock_guard lock(g_tableMutex);
    return InstalledTable();
}

void InstallFileIdTable(std::shared_ptr<const FileIdTable> table) {
    std::lock_guard lock(g_tableMutex);
    InstalledTable() = table ? std::move(table) : std::make_shared<FileIdTable>();
}
