// The signature table: one entry per data line of the signature file, in file
// order. A table is a value: loading makes a new one, and checks hold the one
// they started with.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct FileIdEntry {
    int32_t offset;             // where `pattern` must stand, in bytes from the start
    unsigned char pattern[64];  // followed by a zero byte
    int32_t patternLength;
    int32_t offset2;            // the second position and pattern are stored, never matched
    unsigned char pattern2[64];
    int32_t pattern2Length;
    char typeName[128];         // zero-terminated
    char extension[16];         // zero-terminated, without the dot
};

inline constexpr int32_t kFileIdTableSize = 2000;

class FileIdTable {
public:
    int32_t Count() const { return static_cast<int32_t>(m_entries.size()); }
    bool Empty() const { return m_entries.empty(); }
    const FileIdEntry& operator[](int32_t index) const { return m_entries[static_cast<size_t>(index)]; }
    bool Valid(int32_t index) const { return index >= 0 && index < Count(); }

    // False, with nothing added, once the table holds kFileIdTableSize entries.
    bool Append(const FileIdEntry& entry);

    // Whether some entry names `extension` (without its dot), ASCII case folded.
    bool KnowsExtension(std::string_view extension) const;

    // The entries that may fit `count` leading bytes, in table order: those
    // whose first pattern byte stands at its place, and those with an empty
    // pattern. Every entry that fits is among them; the caller still checks.
    void Candidates(const unsigned char* bytes, int count, std::vector<int32_t>& candidates) const;
    // The same in no particular order: for a caller that wants only the first fitting one.
    void UnorderedCandidates(const unsigned char* bytes, int count, std::vector<int32_t>& candidates) const;

    // The entries with the same offset and pattern as `index`, in table order.
    const std::vector<int32_t>& SameSignature(int32_t index) const {
        return m_signatureGroups[static_cast<size_t>(m_signatureGroupOf[static_cast<size_t>(index)])];
    }

private:
    std::vector<FileIdEntry> m_entries;
    std::set<std::string> m_extensions;  // folded to lower case
    // Lookups built as entries come in, so a check need not walk the whole table.
    std::map<int32_t, std::array<std::vector<int32_t>, 256>> m_byFirstByte;  // offset -> byte -> entries
    std::vector<int32_t> m_emptyPatterns;
    std::map<std::string, int32_t> m_signatureGroupIds;  // offset and pattern -> group
    std::vector<std::vector<int32_t>> m_signatureGroups;
    std::vector<int32_t> m_signatureGroupOf;
};
