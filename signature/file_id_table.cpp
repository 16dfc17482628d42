#include "signature/file_id_table.h"

#include <mutex>

namespace {
std::mutex g_tableMutex;
std::shared_ptr<const FileIdTable>& InstalledTable() {
    static auto* table = new std::shared_ptr<const FileIdTable>(std::make_shared<FileIdTable>());
    return *table;
}
}  // namespace

namespace {
std::string FoldedExtension(std::string_view extension) {
    std::string folded(extension);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}
}  // namespace

bool FileIdTable::Append(const FileIdEntry& entry) {
    if (Count() >= kFileIdTableSize) return false;
    m_entries.push_back(entry);
    if (entry.extension[0] != 0) m_extensions.insert(FoldedExtension(entry.extension));
    return true;
}

bool FileIdTable::KnowsExtension(std::string_view extension) const {
    return m_extensions.count(FoldedExtension(extension)) != 0;
}

std::shared_ptr<const FileIdTable> CurrentFileIdTable() {
    std::lock_guard lock(g_tableMutex);
    return InstalledTable();
}

void InstallFileIdTable(std::shared_ptr<const FileIdTable> table) {
    std::lock_guard lock(g_tableMutex);
    InstalledTable() = table ? std::move(table) : std::make_shared<FileIdTable>();
}
