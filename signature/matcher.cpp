#include "signature/matcher.h"

#include <cstring>

#include "filelist/file_list.h"
#include "platform/path_split.h"
#include "platform/text_compare.h"
#include "signature/file_id_table.h"

namespace {

// "." + the entry's extension, less a final CR and then a final LF.
std::string ComparisonExtension(const FileIdEntry& entry) {
    std::string extension = entry.extension;
    if (!extension.empty() && extension.back() == '\r') extension.pop_back();
    if (!extension.empty() && extension.back() == '\n') extension.pop_back();
    return extension.empty() ? std::string() : "." + extension;
}

bool SameSignature(const FileIdEntry& a, const FileIdEntry& b) {
    return a.offset == b.offset && a.patternLength == b.patternLength &&
           std::memcmp(a.pattern, b.pattern, static_cast<size_t>(a.patternLength)) == 0;
}

bool ExtensionAccepted(const FileIdEntry& entry, std::string_view fileExtension) {
    return EqualsIgnoreAsciiCase(fileExtension, ComparisonExtension(entry));
}

// UTF-8 continuation bytes must not be split from their lead byte.
size_t BackToCharacterStart(std::string_view text, size_t length) {
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return length;
}

}  // namespace

bool EntryFits(const FileIdEntry& entry, const unsigned char* bytes, int count) {
    for (int32_t k = 0; k < entry.patternLength; ++k) {
        const int64_t position = static_cast<int64_t>(entry.offset) + k;
        if (position < 0 || position >= count || bytes[position] != entry.pattern[k]) return false;
    }
    return true;
}

MatchResult ClassifyLeadingBytes(const unsigned char* bytes, int count, std::string_view fileExtension) {
    for (int32_t i = 0; i < g_entryCount; ++i) {
        const FileIdEntry& entry = FileIdTable[i];
        if (!EntryFits(entry, bytes, count)) continue;
        for (int32_t j = i; j < g_entryCount; ++j) {
            if ((j == i || SameSignature(entry, FileIdTable[j])) && ExtensionAccepted(FileIdTable[j], fileExtension)) {
                return {STATUS_MATCH, i};
            }
        }
        return {STATUS_MISMATCH, i};
    }
    return {STATUS_UNKNOWN, -1};
}

std::string ExpectedTypeText(const FileIdEntry& entry) {
    std::string_view typeName = entry.typeName;
    const std::string_view extension = entry.extension;
    const size_t room = kExpectTypeCapacity - std::min(kExpectTypeCapacity, extension.size() + 2);
    if (typeName.size() > room) typeName = typeName.substr(0, BackToCharacterStart(typeName, room));
    return std::string(typeName) + "; " + std::string(extension);
}

void MatchFileType(const unsigned char* bytes, int count, const std::string& path, int32_t row) {
    if (g_entryCount == 0) return;
    const MatchResult result = ClassifyLeadingBytes(bytes, count, PathExtension(path));
    FileList& list = TheFileList();
    list.SetImage(row, result.status);
    if (result.status == STATUS_MISMATCH) list.SetText(row, kColumnExpectType, ExpectedTypeText(FileIdTable[result.entryIndex]));
}
