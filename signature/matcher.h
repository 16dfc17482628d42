// Deciding what a file is from its leading bytes, and whether its extension fits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct FileIdEntry;

inline constexpr int kLeadingBytes = 64;
inline constexpr size_t kExpectTypeCapacity = 63;

struct MatchResult {
    int32_t status;      // STATUS_UNKNOWN, STATUS_MISMATCH or STATUS_MATCH
    int32_t entryIndex;  // the first fitting entry, or -1
};

// Whether `entry`'s pattern stands at its offset within the `count` bytes read.
bool EntryFits(const FileIdEntry& entry, const unsigned char* bytes, int count);

// Pure verdict over the table. `fileExtension` is the file's own, dot included,
// or empty. The first fitting entry decides; later entries with the same offset
// and pattern are accepted as alternative extensions.
MatchResult ClassifyLeadingBytes(const unsigned char* bytes, int count, std::string_view fileExtension);

// "type; ext", the type name shortened so the whole fits in 63 bytes.
std::string ExpectedTypeText(const FileIdEntry& entry);

// Records the verdict on row `row` of the file list: its status image, and the
// expected type in column 2 when the extension is wrong.
void MatchFileType(const unsigned char* bytes, int count, const std::string& path, int32_t row);
