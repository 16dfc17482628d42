// The second look: readers that name the exact member of a family whose
// members share their leading bytes. Each is pure over a ByteSource, reads
// within its budget, and answers with the member's extension (without the
// dot; empty for a program that goes without one), or nothing when the
// structure does not name a member clearly: damaged, truncated, encrypted,
// over the budget, or holding something else. Nothing is never a guess.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "signature/inside/byte_source.h"

using InsideMember = std::optional<std::string>;
using LeadingBytes = std::span<const unsigned char>;

// Each reader first checks its family's mark in `lead` (the up to 64 bytes
// the check already read) and answers nothing when it is not there.
InsideMember ZipMember(ByteSource& file, LeadingBytes lead);           // zip_member.cpp
InsideMember CompoundFileMember(ByteSource& file, LeadingBytes lead);  // compound_file_member.cpp
InsideMember MatroskaMember(ByteSource& file, LeadingBytes lead);      // matroska_member.cpp
InsideMember PeMember(ByteSource& file, LeadingBytes lead);            // pe_member.cpp
InsideMember TiffRawMember(ByteSource& file, LeadingBytes lead);       // tiff_raw_member.cpp
InsideMember Id3Member(ByteSource& file, LeadingBytes lead);           // id3_member.cpp
InsideMember ElfMember(ByteSource& file, LeadingBytes lead);           // elf_member.cpp
InsideMember ScriptMember(ByteSource& file, LeadingBytes lead);        // script_member.cpp

// The reader whose mark `lead` carries, or nothing.
InsideMember LookInside(ByteSource& file, LeadingBytes lead);
