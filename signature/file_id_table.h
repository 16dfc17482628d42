// The signature table: one entry per data line of the signature file, in file
// order. A table is a value: loading makes a new one, and checks hold the one
// they started with.
#pragma once

#include <cstdint>
#include <memory>
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

private:
    std::vector<FileIdEntry> m_entries;
    std::set<std::string> m_extensions;  // folded to lower case
};

// The table the program checks with. Replaced whole by a load; a check run
// keeps the table it started with even if another is installed meanwhile.
std::shared_ptr<const FileIdTable> CurrentFileIdTable();
void InstallFileIdTable(std::shared_ptr<const FileIdTable> table);
