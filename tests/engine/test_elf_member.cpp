// The ELF reader: programs and libraries told apart by their program headers,
// and nothing for other object types and damaged tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

constexpr uint32_t kLoad = 1, kDynamic = 2, kInterp = 3, kProgramHeaders = 6;
constexpr uint16_t kRel = 1, kExec = 2, kDyn = 3, kCore = 4;
constexpr uint64_t kFlags1 = 0x6FFFFFFB, kSoname = 14, kPieFlag = 0x08000000;

// A minimal ELF file: header, program headers right after it, then the
// dynamic section (when one of the segments is PT_DYNAMIC).
struct Elf {
    bool wide = true;  // ELFCLASS64
    bool little = true;
    uint16_t type = kDyn;
    std::vector<uint32_t> segments;
    std::vector<std::pair<uint64_t, uint64_t>> dynamicEntries = {{kSoname, 1}};  // a library's
    // Damage applied after building.
    std::optional<uint16_t> count{}, entrySize{};
    std::optional<uint64_t> tableOffset{}, dynamicOffset{};
    size_t cutTo = std::string::npos;

    void Put(std::string& bytes, size_t at, uint64_t value, size_t width) const {
        if (bytes.size() < at + width) bytes.resize(at + width);
        for (size_t i = 0; i < width; ++i) {
            const size_t shift = 8 * (little ? i : width - 1 - i);
            bytes[at + i] = static_cast<char>(value >> shift & 0xFF);
        }
    }

    std::string Build() const {
        const size_t word = wide ? 8 : 4;
        const size_t headerSize = wide ? 64 : 52, phentsize = wide ? 56 : 32;
        const size_t dynamicAt = headerSize + segments.size() * phentsize;
        const size_t dynamicSize = (dynamicEntries.size() + 1) * 2 * word;
        std::string bytes = {'\x7F', 'E', 'L', 'F', wide ? '\2' : '\1', little ? '\1' : '\2', '\1'};
        Put(bytes, 16, type, 2);
        Put(bytes, wide ? 32 : 28, tableOffset.value_or(headerSize), word);
        Put(bytes, wide ? 54 : 42, entrySize.value_or(phentsize), 2);
        Put(bytes, wide ? 56 : 44, count.value_or(segments.size()), 2);
        Put(bytes, headerSize - 1, 0, 1);
        for (size_t i = 0; i < segments.size(); ++i) {
            const size_t at = headerSize + i * phentsize;
            Put(bytes, at, segments[i], 4);
            if (segments[i] != kDynamic) continue;
            Put(bytes, at + (wide ? 8 : 4), dynamicOffset.value_or(dynamicAt), word);
            Put(bytes, at + (wide ? 32 : 16), dynamicSize, word);
        }
        for (size_t i = 0; i < dynamicEntries.size(); ++i) {
            Put(bytes, dynamicAt + 2 * i * word, dynamicEntries[i].first, word);
            Put(bytes, dynamicAt + (2 * i + 1) * word, dynamicEntries[i].second, word);
        }
        Put(bytes, dynamicAt + dynamicSize - 1, 0, 1);  // DT_NULL
        return bytes.substr(0, cutTo);
    }
};

struct Case {
    const char* name;
    std::string bytes;
    InsideMember expected;
    friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

std::vector<Case> Cases() {
    const InsideMember program = "", library = "so", nothing = std::nullopt;
    const std::vector<uint32_t> withInterpreter = {kProgramHeaders, kInterp, kLoad, kDynamic};
    const std::vector<uint32_t> shared = {kLoad, kLoad, kDynamic};
    const std::vector<std::pair<uint64_t, uint64_t>> pieFlag = {{kFlags1, kPieFlag | 1}}, none = {};
    const Elf pie{.segments = withInterpreter, .dynamicEntries = pieFlag};
    std::vector<Case> cases = {
        {"PieProgram", pie.Build(), program},
        // An interpreter without the PIE flag or a soname: an old linker's program or a plugin (pam_cap.so).
        {"InterpreterWithoutPieFlagOrSoname", Elf{.segments = withInterpreter, .dynamicEntries = none}.Build(),
         nothing},
        {"InterpreterWithUnreadableDynamicSection",
         Elf{.segments = withInterpreter, .dynamicEntries = none, .dynamicOffset = uint64_t{1} << 33}.Build(), nothing},
        {"LibraryThatCanAlsoBeRun", Elf{.segments = withInterpreter}.Build(), library},
        {"SharedLibrary", Elf{.segments = shared}.Build(), library},
        {"SharedLibraryWithoutSoname", Elf{.segments = shared, .dynamicEntries = {{kFlags1, 1}}}.Build(), library},
        {"StaticPieProgram", Elf{.segments = shared, .dynamicEntries = {{kSoname, 1}, {kFlags1, kPieFlag}}}.Build(),
         program},
        {"DynamicallyLinkedExec", Elf{.type = kExec, .segments = withInterpreter}.Build(), program},
        {"StaticExec", Elf{.type = kExec, .segments = {kLoad}}.Build(), program},
        {"Elf32BigEndianLibrary", Elf{.wide = false, .little = false, .segments = shared}.Build(), library},
        {"Elf32BigEndianStaticPie",
         Elf{.wide = false, .little = false, .segments = shared, .dynamicEntries = pieFlag}.Build(), program},
        {"Elf32LittleProgram", Elf{.wide = false, .segments = withInterpreter, .dynamicEntries = pieFlag}.Build(),
         program},
        {"Elf64BigEndianProgram", Elf{.little = false, .segments = withInterpreter, .dynamicEntries = pieFlag}.Build(),
         program},
        // Other object types and damage: nothing.
        {"Relocatable", Elf{.type = kRel, .segments = {}}.Build(), nothing},
        {"Core", Elf{.type = kCore, .segments = {kLoad}}.Build(), nothing},
        {"NoProgramHeaders", Elf{.segments = {}}.Build(), nothing},
        {"CountHuge", Elf{.segments = shared, .count = 4000}.Build(), nothing},
        {"CountExtended", Elf{.segments = shared, .count = 0xFFFF}.Build(), nothing},
        {"OddEntrySize", Elf{.segments = shared, .entrySize = 40}.Build(), nothing},
        {"TablePastTheEnd", Elf{.segments = withInterpreter, .tableOffset = uint64_t{1} << 40}.Build(), nothing},
        {"TableOffsetWraps", Elf{.segments = withInterpreter, .tableOffset = ~uint64_t{0} - 8}.Build(), nothing},
        {"TableCutShort", Elf{.segments = withInterpreter, .cutTo = 64 + 56 * 3}.Build(), nothing},
        {"LibraryWithoutDynamicSection", Elf{.segments = {kLoad}}.Build(), nothing},
        {"LibraryDynamicSectionPastTheEnd", Elf{.segments = shared, .dynamicOffset = uint64_t{1} << 33}.Build(),
         nothing},
        {"LibraryDynamicSectionCutShort", Elf{.segments = shared, .cutTo = 64 + 56 * 3 + 8}.Build(), nothing},
        {"HeaderCutShort", pie.Build().substr(0, 40), nothing},
        {"NotAnElf", "MZ" + pie.Build().substr(2), nothing},
    };
    std::string unknownClass = pie.Build();
    unknownClass[4] = 3;
    cases.push_back({"UnknownClass", unknownClass, nothing});
    std::string unknownOrder = pie.Build();
    unknownOrder[5] = 0;
    cases.push_back({"UnknownByteOrder", unknownOrder, nothing});
    return cases;
}

class ElfMemberTest : public ::testing::TestWithParam<Case> {};

TEST_P(ElfMemberTest, NamesProgramsAndLibrariesAndNothingElse) {
    const Case& c = GetParam();
    EXPECT_EQ(LookAs(ElfMember, c.bytes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ElfMemberTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
