// What every container reader's fuzzer checks: whatever the file claims, the
// reader stays within the second look's budget and names only members of its
// own family (an empty `members` list: any name but the empty one).
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "signature/inside/readers.h"

inline void FuzzReader(InsideMember (*reader)(ByteSource&, LeadingBytes), const uint8_t* data, size_t size,
                       std::initializer_list<std::string_view> members) {
    MemoryByteSource file(std::string_view(reinterpret_cast<const char*>(data), size));
    const InsideMember member = reader(file, LeadingBytes(data, std::min<size_t>(size, 64)));
    if (file.ReadsMade() > kInsideReadLimit || file.BytesAsked() > kInsideByteLimit) __builtin_trap();
    if (!member) return;
    const bool known = members.size() == 0 ? !member->empty()
                                           : std::find(members.begin(), members.end(), *member) != members.end();
    if (!known) __builtin_trap();
}
