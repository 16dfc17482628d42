#include "signature/matcher.h"

#include <cstring>

#include "platform/text_compare.h"

namespace {

// `fileExtension` has its dot; an entry's empty extension stands for "no extension".
bool ExtensionAccepted(const FileIdEntry& entry, std::string_view fileExtension) {
    const std::string_view extension = entry.extension;
    if (extension.empty()) return fileExtension.empty();
    return fileExtension.size() == extension.size() + 1 && fileExtension[0] == '.' &&
           EqualsIgnoreAsciiCase(fileExtension.substr(1), extension);
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

Verdict ClassifyLeadingBytes(const FileIdTable& table, const unsigned char* bytes, int count,
                             std::string_view fileExtension) {
    thread_local std::vector<int32_t> candidates;
    table.Candidates(bytes, count, candidates);
    for (const int32_t i : candidates) {
        if (!EntryFits(table[i], bytes, count)) continue;
        bool acceptsNone = false;
        for (const int32_t j : table.SameSignature(i)) {
            if (j < i) continue;
            if (ExtensionAccepted(table[j], fileExtension)) return {STATUS_MATCH, i};
            acceptsNone = acceptsNone || table[j].extension[0] == 0;
        }
        // For kinds that go without an extension (programs, scripts), a dot
        // suffix no entry names is part of the name: "ld.bfd", "python3.11".
        if (acceptsNone && !fileExtension.empty() && !table.KnowsExtension(fileExtension.substr(1))) {
            return {STATUS_MATCH, i};
        }
        return {STATUS_MISMATCH, i};
    }
    return {STATUS_UNKNOWN, -1};
}

std::vector<int32_t> AcceptedEntries(const FileIdTable& table, int32_t entryIndex) {
    std::vector<int32_t> accepted;
    if (!table.Valid(entryIndex)) return accepted;
    for (const int32_t j : table.SameSignature(entryIndex)) {
        if (j >= entryIndex) accepted.push_back(j);
    }
    return accepted;
}

std::string ExpectedTypeText(const FileIdEntry& entry) {
    std::string_view typeName = entry.typeName;
    const std::string_view extension = entry.extension;
    const size_t room = kExpectTypeCapacity - std::min(kExpectTypeCapacity, extension.size() + 2);
    if (typeName.size() > room) typeName = typeName.substr(0, BackToCharacterStart(typeName, room));
    return std::string(typeName) + "; " + std::string(extension);
}

std::string ExpectedTypeText(const FileIdTable& table, const Verdict& verdict) {
    if (verdict.status != STATUS_MISMATCH || !table.Valid(verdict.entryIndex)) return {};
    return ExpectedTypeText(table[verdict.entryIndex]);
}
