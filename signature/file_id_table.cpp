#include "signature/file_id_table.h"

#include <algorithm>

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
    const int32_t index = Count();
    m_entries.push_back(entry);
    if (entry.extension[0] != 0) m_extensions.insert(FoldedExtension(entry.extension));

    // A pattern that starts before byte 0 never fits; an empty one always does.
    if (entry.patternLength == 0) {
        m_emptyPatterns.push_back(index);
    } else if (entry.offset >= 0) {
        m_byFirstByte[entry.offset][entry.pattern[0]].push_back(index);
    }

    std::string signature = std::to_string(entry.offset) + ":";
    signature.append(reinterpret_cast<const char*>(entry.pattern), static_cast<size_t>(entry.patternLength));
    const auto [group, added] = m_signatureGroupIds.emplace(signature, static_cast<int32_t>(m_signatureGroups.size()));
    if (added) m_signatureGroups.emplace_back();
    m_signatureGroups[static_cast<size_t>(group->second)].push_back(index);
    m_signatureGroupOf.push_back(group->second);
    return true;
}

void FileIdTable::Candidates(const unsigned char* bytes, int count, std::vector<int32_t>& candidates) const {
    UnorderedCandidates(bytes, count, candidates);
    std::sort(candidates.begin(), candidates.end());
}

void FileIdTable::UnorderedCandidates(const unsigned char* bytes, int count, std::vector<int32_t>& candidates) const {
    candidates.assign(m_emptyPatterns.begin(), m_emptyPatterns.end());
    for (const auto& [offset, byFirstByte] : m_byFirstByte) {
        if (offset >= count) break;
        const std::vector<int32_t>& entries = byFirstByte[bytes[offset]];
        candidates.insert(candidates.end(), entries.begin(), entries.end());
    }
}

bool FileIdTable::KnowsExtension(std::string_view extension) const {
    return m_extensions.count(FoldedExtension(extension)) != 0;
}
