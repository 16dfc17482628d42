// ELF: a program or a shared library, told by the program headers and the
// dynamic section. Shared objects and position-independent programs share the
// object type ET_DYN; a program carries the PIE flag, a library a soname.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>

#include "signature/inside/bytes.h"
#include "signature/inside/readers.h"

namespace {

constexpr unsigned char kElfMark[] = {0x7F, 'E', 'L', 'F'};
constexpr uint16_t kTypeExecutable = 2;      // ET_EXEC
constexpr uint16_t kTypeShared = 3;          // ET_DYN
constexpr uint32_t kSegmentDynamic = 2;      // PT_DYNAMIC
constexpr uint32_t kSegmentInterpreter = 3;  // PT_INTERP
constexpr uint64_t kTagSoname = 14;          // DT_SONAME
constexpr uint64_t kTagFlags1 = 0x6FFFFFFB;  // DT_FLAGS_1
constexpr uint64_t kFlagPie = 0x08000000;    // DF_1_PIE
// Real programs carry a dozen or so program headers; more is not a file we judge.
constexpr uint16_t kMostProgramHeaders = 256;
constexpr uint16_t kExtendedCount = 0xFFFF;  // PN_XNUM: the count lives elsewhere
// A dynamic section holds a few dozen entries before its end mark.
constexpr size_t kMostDynamicBytes = 8 * 1024;

// Where the fields this reader needs lie in each class's headers.
struct Layout {
    size_t headerSize;
    size_t phoffAt, phentsizeAt, phnumAt;
    uint16_t entrySize;
    size_t offsetAt, fileSizeAt;  // p_offset, p_filesz within a program header
    size_t wordSize;              // of a dynamic entry's tag and value
};
constexpr Layout kElf32 = {52, 28, 42, 44, 32, 4, 16, 4};
constexpr Layout kElf64 = {64, 32, 54, 56, 56, 8, 32, 8};

// The numbers in the file's own byte order and word size.
struct Words {
    bool little;
    size_t wordSize;
    uint16_t U16(const unsigned char* p) const { return little ? Le16(p) : Be16(p); }
    uint32_t U32(const unsigned char* p) const { return little ? Le32(p) : Be32(p); }
    uint64_t Word(const unsigned char* p) const {
        if (wordSize == 4) return U32(p);
        return little ? Le64(p) : Be64(p);
    }
};

// Whether `length` bytes at `offset` lie within a file of `size` bytes.
bool Within(uint64_t offset, uint64_t length, int64_t size) {
    return size >= 0 && offset <= static_cast<uint64_t>(size) && length <= static_cast<uint64_t>(size) - offset;
}

// What the dynamic section says of the file, when it can be read to its end mark.
struct DynamicFacts {
    bool pie = false;     // DT_FLAGS_1 with DF_1_PIE: the linker made a program
    bool soname = false;  // DT_SONAME: the linker made a library
};

std::optional<DynamicFacts> ReadDynamic(ByteSource& file, const Words& words, uint64_t offset, uint64_t length) {
    const size_t entrySize = 2 * words.wordSize;
    length = std::min<uint64_t>(length, kMostDynamicBytes) / entrySize * entrySize;
    if (length == 0 || !Within(offset, length, file.Size())) return std::nullopt;
    std::array<unsigned char, kMostDynamicBytes> section;
    if (file.Read(static_cast<int64_t>(offset), std::span(section.data(), length)) != static_cast<int64_t>(length)) {
        return std::nullopt;
    }
    DynamicFacts facts;
    for (size_t at = 0; at < length; at += entrySize) {
        const uint64_t tag = words.Word(section.data() + at);
        if (tag == 0) return facts;  // DT_NULL
        if (tag == kTagSoname) facts.soname = true;
        if (tag == kTagFlags1) facts.pie = (words.Word(section.data() + at + words.wordSize) & kFlagPie) != 0;
    }
    return std::nullopt;
}

}  // namespace

InsideMember ElfMember(ByteSource& file, LeadingBytes lead) {
    if (lead.size() < sizeof kElfMark || std::memcmp(lead.data(), kElfMark, sizeof kElfMark) != 0) return std::nullopt;
    if (lead.size() < 7 || lead[6] != 1) return std::nullopt;  // EI_VERSION: the only version there is
    const unsigned char fileClass = lead[4];
    const unsigned char data = lead[5];
    if ((fileClass != 1 && fileClass != 2) || (data != 1 && data != 2)) return std::nullopt;
    const Layout& layout = fileClass == 1 ? kElf32 : kElf64;
    if (lead.size() < layout.headerSize) return std::nullopt;
    const Words words{data == 1, layout.wordSize};
    const unsigned char* header = lead.data();

    const uint16_t type = words.U16(header + 16);
    if (type != kTypeExecutable && type != kTypeShared) return std::nullopt;

    const uint64_t tableOffset = words.Word(header + layout.phoffAt);
    const uint16_t entrySize = words.U16(header + layout.phentsizeAt);
    const uint16_t count = words.U16(header + layout.phnumAt);
    if (entrySize != layout.entrySize || count == 0 || count == kExtendedCount || count > kMostProgramHeaders) {
        return std::nullopt;
    }
    const size_t tableSize = static_cast<size_t>(count) * entrySize;
    if (!Within(tableOffset, tableSize, file.Size())) return std::nullopt;
    std::array<unsigned char, kMostProgramHeaders * kElf64.entrySize> table;
    if (file.Read(static_cast<int64_t>(tableOffset), std::span(table.data(), tableSize)) !=
        static_cast<int64_t>(tableSize)) {
        return std::nullopt;
    }

    bool interpreter = false;
    const unsigned char* dynamic = nullptr;
    for (size_t at = 0; at < tableSize; at += entrySize) {
        const uint32_t segment = words.U32(table.data() + at);
        if (segment == kSegmentInterpreter) interpreter = true;
        if (segment == kSegmentDynamic && !dynamic) dynamic = table.data() + at;
    }
    if (type == kTypeExecutable) return std::string();  // dynamically or statically linked
    std::optional<DynamicFacts> facts;
    if (dynamic) {
        const uint64_t offset = words.Word(dynamic + layout.offsetAt);
        facts = ReadDynamic(file, words, offset, words.Word(dynamic + layout.fileSizeAt));
    }
    if (interpreter) {
        // Libraries may ask for an interpreter too, to be run (libc.so.6) or by
        // accident (some plugins): a program is told by the PIE flag every linker
        // of the last decade sets, a library by its soname; neither is unclear.
        if (facts && facts->pie) return std::string();
        if (facts && facts->soname) return std::string("so");
        return std::nullopt;
    }
    // A library, or a static position-independent program; without a
    // readable dynamic section the file is neither in a way we can tell.
    if (!facts) return std::nullopt;
    return facts->pie ? std::string() : std::string("so");
}
