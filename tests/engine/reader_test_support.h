// Running a container reader over bytes held in memory, as the check runs it
// over an open file: the whole file behind it, its first 64 bytes as the lead.
#pragma once

#include <algorithm>
#include <string>

#include "signature/inside/readers.h"

inline InsideMember LookAs(InsideMember (*reader)(ByteSource&, LeadingBytes), const std::string& bytes) {
    MemoryByteSource file(bytes);
    return reader(file, LeadingBytes(reinterpret_cast<const unsigned char*>(bytes.data()),
                                     std::min<size_t>(64, bytes.size())));
}
