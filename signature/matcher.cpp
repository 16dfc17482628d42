#include "signature/matcher.h"

#include <cstring>

#include "platform/text_compare.h"
#include "signature/data_suffixes.h"

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

// Whether a file with `fileExtension` may be any of `entries`: one names its
// extension, or one goes without an extension and the suffix is no extension
// at all but part of a program's name ("ld.bfd", "python3.11"): no entry
// names it and it does not commonly name a data or text file.
bool ExtensionFitsAny(const FileIdTable& table, const std::vector<int32_t>& entries, std::string_view fileExtension) {
    bool acceptsNone = false;
    for (const int32_t j : entries) {
        if (ExtensionAccepted(table[j], fileExtension)) return true;
        acceptsNone = acceptsNone || table[j].extension[0] == 0;
    }
    if (!acceptsNone || fileExtension.empty()) return false;
    const std::string_view suffix = fileExtension.substr(1);
    return !table.KnowsExtension(suffix) && !CommonDataSuffix(suffix);
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
    // The first fitting entry is the smallest fitting index: no need to sort
    // the candidates for every file.
    thread_local std::vector<int32_t> candidates;
    thread_local std::vector<int32_t> accepted;
    table.UnorderedCandidates(bytes, count, candidates);
    int32_t first = -1;
    for (const int32_t i : candidates) {
        if ((first < 0 || i < first) && EntryFits(table[i], bytes, count)) first = i;
    }
    if (first < 0) return {STATUS_UNKNOWN, -1};
    accepted.clear();
    for (const int32_t j : table.SameSignature(first)) {
        if (j >= first) accepted.push_back(j);
    }
    return {ExtensionFitsAny(table, accepted, fileExtension) ? STATUS_MATCH : STATUS_MISMATCH, first};
}

std::vector<int32_t> MemberEntries(const FileIdTable& table, const unsigned char* bytes, int count,
                                   std::string_view member) {
    thread_local std::vector<int32_t> candidates;
    table.Candidates(bytes, count, candidates);
    std::string_view typeName;
    for (const int32_t i : candidates) {
        if (EntryFits(table[i], bytes, count) && EqualsIgnoreAsciiCase(table[i].extension, member)) {
            typeName = table[i].typeName;
            break;
        }
    }
    std::vector<int32_t> entries;
    if (typeName.empty()) return entries;
    for (const int32_t i : candidates) {
        if (table[i].typeName == typeName && EntryFits(table[i], bytes, count)) entries.push_back(i);
    }
    return entries;
}

Verdict MemberVerdict(const FileIdTable& table, const std::vector<int32_t>& entries, std::string_view fileExtension) {
    return {ExtensionFitsAny(table, entries, fileExtension) ? STATUS_MATCH : STATUS_MISMATCH, entries.front()};
}

std::optional<Verdict> ClassifyMember(const FileIdTable& table, const unsigned char* bytes, int count,
                                      std::string_view fileExtension, std::string_view member) {
    const std::vector<int32_t> entries = MemberEntries(table, bytes, count, member);
    if (entries.empty()) return std::nullopt;
    return MemberVerdict(table, entries, fileExtension);
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
