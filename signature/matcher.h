// Deciding what a file is from its leading bytes, and whether its extension
// fits. Pure: everything it needs comes in as arguments.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signature/file_id_table.h"
#include "signature/verdict.h"

inline constexpr int kLeadingBytes = 64;
inline constexpr size_t kExpectTypeCapacity = 63;

// Whether `entry`'s pattern stands at its offset within the `count` bytes read.
bool EntryFits(const FileIdEntry& entry, const unsigned char* bytes, int count);

// The verdict over `table`. `fileExtension` is the file's own, dot included,
// or empty. The first fitting entry decides; later entries with the same
// offset and pattern are accepted as alternative extensions.
Verdict ClassifyLeadingBytes(const FileIdTable& table, const unsigned char* bytes, int count,
                             std::string_view fileExtension);

// The verdict when a second look named the file's `member` (an extension,
// empty for a program without one). The first fitting entry that names it
// gives the member's type name; the fitting entries of that type name are the
// member and its synonyms, the first of them proposed, as in a group (a shell
// archive whose #! line says "sh" stays a shar). The file's extension fits if
// one of them accepts it. Nothing when no fitting entry names the member: the
// leading bytes' verdict stands.
std::optional<Verdict> ClassifyMember(const FileIdTable& table, const unsigned char* bytes, int count,
                                      std::string_view fileExtension, std::string_view member);

// The member's entries as above, the proposed one first; empty when none names it.
std::vector<int32_t> MemberEntries(const FileIdTable& table, const unsigned char* bytes, int count,
                                   std::string_view member);

// The verdict over a member's (non-empty) entries.
Verdict MemberVerdict(const FileIdTable& table, const std::vector<int32_t>& entries, std::string_view fileExtension);

// The entries whose extensions a file fitting `entryIndex` may carry: that
// entry first, then every later one with the same offset and pattern.
std::vector<int32_t> AcceptedEntries(const FileIdTable& table, int32_t entryIndex);

// "type; ext", the type name shortened so the whole fits in 63 bytes.
std::string ExpectedTypeText(const FileIdEntry& entry);

// What the "Expect type" column shows for a verdict: the text above for a
// wrong extension, nothing otherwise.
std::string ExpectedTypeText(const FileIdTable& table, const Verdict& verdict);
