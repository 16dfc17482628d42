// The compound file reader: the member named by the streams under the root or
// by the root's class id, and nothing for encrypted, mixed, unknown or damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD, kNone = 0xFFFFFFFF;
constexpr unsigned char kStorage = 1, kStream = 2;
constexpr size_t kSector = 512;

void Put(std::string& bytes, size_t at, uint64_t value, size_t width) {
    if (bytes.size() < at + width) bytes.resize(at + width);
    for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> 8 * i & 0xFF);
}

std::string Patched(std::string bytes, size_t at, uint32_t value, size_t width = 4) {
    Put(bytes, at, value, width);
    return bytes;
}

std::array<unsigned char, 16> InstallerClassId(unsigned char kind) {
    return {kind, 0x10, 0x0C, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
}

// The start of a Word stream: the FIB's ident and its flags word; from 4096
// bytes on, a stream lies in regular sectors instead of the mini stream.
std::string WordStream(uint16_t flags, size_t size = 4096) {
    std::string data;
    Put(data, 0, 0xA5EC, 2);
    Put(data, 0x0A, flags, 2);
    data.resize(size);
    return data;
}

struct Node {
    std::string name;  // ASCII, written as UTF-16LE
    unsigned char type = kStream;
    int parent = 0;    // the entry of the storage holding it; -1 for an unallocated entry
    std::string data = {};  // placed in regular sectors after the directory
    bool mini = false;      // `data` in the mini stream instead (whose mini FAT the reader never needs)
};

// A compound file: the header, one FAT sector, the directory (the root entry,
// then `nodes`), then the streams' data and the mini stream. Each storage's children are linked
// as a chain of right siblings. `base` moves every sector up, so that a base
// past 109 FAT sectors' reach needs the DIFAT sector placed at sector 0.
struct Compound {
    int shift = 9;
    std::vector<Node> nodes = {};
    std::array<unsigned char, 16> rootClassId = {};
    uint32_t base = 0;

    size_t SectorSize() const { return size_t{1} << shift; }
    size_t SectorAt(uint32_t sector) const { return (sector + 1) * SectorSize(); }
    // Where entry `index` starts in the file (the root is entry 0).
    size_t EntryAt(size_t index) const { return SectorAt(base + 1) + index * 128; }

    std::string Build() const {
        const size_t size = SectorSize(), fatEntries = size / 4, perSector = size / 128;
        const uint32_t fatIndex = base / static_cast<uint32_t>(fatEntries);
        std::string bytes;
        const uint8_t mark[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        for (size_t i = 0; i < 8; ++i) Put(bytes, i, mark[i], 1);
        Put(bytes, 0x18, 0x3E, 2);
        Put(bytes, 0x1A, shift == 9 ? 3 : 4, 2);
        Put(bytes, 0x1C, 0xFFFE, 2);
        Put(bytes, 0x1E, static_cast<uint64_t>(shift), 2);
        Put(bytes, 0x20, 6, 2);
        Put(bytes, 0x2C, fatIndex + 1, 4);
        Put(bytes, 0x30, base + 1, 4);
        Put(bytes, 0x38, 4096, 4);
        Put(bytes, 0x3C, kEnd, 4);
        Put(bytes, 0x44, fatIndex < 109 ? kEnd : 0, 4);
        Put(bytes, 0x48, fatIndex < 109 ? 0 : 1, 4);
        for (size_t i = 0; i < 109; ++i) Put(bytes, 0x4C + 4 * i, i == fatIndex ? base : kFree, 4);
        if (fatIndex >= 109) {
            for (size_t i = 0; i < fatEntries; ++i) Put(bytes, SectorAt(0) + 4 * i, kFree, 4);
            Put(bytes, SectorAt(0) + 4 * (fatIndex - 109), base, 4);
            Put(bytes, SectorAt(0) + size - 4, kEnd, 4);
        }

        // The FAT: itself, then one chain per run of sectors.
        std::vector<uint32_t> fat(fatEntries, kFree);
        fat[0] = kFatSector;
        uint32_t next = 1;
        const auto chain = [&](size_t count) {
            const uint32_t first = next;
            for (size_t i = 0; i < count; ++i, ++next) fat.at(next) = i + 1 < count ? next + 1 : kEnd;
            return base + first;
        };
        const size_t entryCount = nodes.size() + 1;
        chain((entryCount + perSector - 1) / perSector);
        std::vector<uint32_t> starts;
        std::string miniStream;
        for (const Node& node : nodes) {
            if (node.mini) {
                starts.push_back(static_cast<uint32_t>(miniStream.size() / 64));
                miniStream += node.data;
                miniStream.resize((miniStream.size() + 63) / 64 * 64, '\0');
            } else {
                starts.push_back(node.data.empty() ? kEnd : chain(node.data.size() / size + 1));
            }
        }
        const uint32_t miniStart = miniStream.empty() ? kEnd : chain(miniStream.size() / size + 1);
        for (size_t i = 0; i < fatEntries; ++i) Put(bytes, SectorAt(base) + 4 * i, fat[i], 4);

        // The directory, each storage's children chained as right siblings.
        std::vector<std::string> names = {"Root Entry"};
        std::vector<int> parents = {-1};
        for (const Node& node : nodes) names.push_back(node.name), parents.push_back(node.parent);
        std::vector<uint32_t> child(entryCount, kNone), right(entryCount, kNone);
        for (size_t i = entryCount; i-- > 1;) {
            if (parents[i] < 0) continue;
            right[i] = child[static_cast<size_t>(parents[i])];
            child[static_cast<size_t>(parents[i])] = static_cast<uint32_t>(i);
        }
        for (size_t i = 0; i < entryCount; ++i) {
            const size_t at = EntryAt(i);
            Put(bytes, at + 127, 0, 1);
            if (i > 0 && parents[i] < 0) continue;
            for (size_t c = 0; c < names[i].size(); ++c) Put(bytes, at + 2 * c, static_cast<uint8_t>(names[i][c]), 2);
            Put(bytes, at + 0x40, 2 * (names[i].size() + 1), 2);
            Put(bytes, at + 0x42, i == 0 ? 5 : nodes[i - 1].type, 1);
            Put(bytes, at + 0x44, kNone, 4);
            Put(bytes, at + 0x48, right[i], 4);
            Put(bytes, at + 0x4C, child[i], 4);
            if (i == 0) {
                for (size_t b = 0; b < 16; ++b) Put(bytes, at + 0x50 + b, rootClassId[b], 1);
                Put(bytes, at + 0x74, miniStart, 4);
                Put(bytes, at + 0x78, miniStream.size(), 8);
            } else {
                Put(bytes, at + 0x74, starts[i - 1], 4);
                Put(bytes, at + 0x78, nodes[i - 1].data.size(), 8);
            }
        }
        bytes.resize(SectorAt(base + next), '\0');
        for (size_t i = 0; i < nodes.size(); ++i) {
            if (!nodes[i].data.empty() && !nodes[i].mini)
                bytes.replace(SectorAt(starts[i]), nodes[i].data.size(), nodes[i].data);
        }
        if (!miniStream.empty()) bytes.replace(SectorAt(miniStart), miniStream.size(), miniStream);
        return bytes;
    }
};

std::vector<Node> Streams(std::initializer_list<const char*> names) {
    std::vector<Node> nodes;
    for (const char* name : names) nodes.push_back({name});
    return nodes;
}

std::vector<Node> Word(uint16_t flags) {
    return {{"WordDocument", kStream, 0, WordStream(flags)}, {"1Table"}, {"\x05SummaryInformation"}};
}

// `filler` unallocated entries before or after the named ones.
std::vector<Node> After(size_t filler, std::vector<Node> named) {
    std::vector<Node> nodes(filler, Node{"", 0, -1});
    nodes.insert(nodes.end(), named.begin(), named.end());
    return nodes;
}
std::vector<Node> Before(size_t filler, std::vector<Node> named) {
    named.resize(named.size() + filler, Node{"", 0, -1});
    return named;
}

struct Case {
    const char* name;
    std::string bytes;
    InsideMember expected;
    friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

std::vector<Case> Cases() {
    const InsideMember nothing = std::nullopt;
    const std::string word = Compound{.nodes = Word(0)}.Build();
    const Compound twoSectors{.nodes = After(4, Word(0))};  // the Word names in the directory's second sector
    const size_t firstName = Compound{}.EntryAt(1);
    return {
        {"WordDocument", word, "doc"},
        {"WordTemplate", Compound{.nodes = Word(1)}.Build(), "dot"},
        {"WordTemplateWithFourKibSectors", Compound{.shift = 12, .nodes = Word(1)}.Build(), "dot"},
        // The Word stream's first mini sector lies in the mini stream's third sector.
        {"SmallWordTemplate",
         Compound{.nodes = {{"1Table", kStream, 0, std::string(1200, 'T'), true},
                            {"WordDocument", kStream, 0, WordStream(1, 1500), true}}}
             .Build(),
         "dot"},
        {"SmallWordDocument",
         Compound{.nodes = {{"WordDocument", kStream, 0, WordStream(0, 1500), true}, {"1Table"}}}.Build(), "doc"},
        {"WordWithAnEmbeddedWorkbook",
         Compound{.nodes = {{"WordDocument"},
                            {"ObjectPool", kStorage},
                            {"_1234", kStorage, 2},
                            {"Workbook", kStream, 3}}}
             .Build(),
         "doc"},
        {"WorkbookInMixedCase", Compound{.nodes = Streams({"\x05SummaryInformation", "WORKbook"})}.Build(), "xls"},
        {"Excel95Book", Compound{.nodes = Streams({"Book"})}.Build(), "xls"},
        {"PowerPoint", Compound{.nodes = Streams({"Current User", "PowerPoint Document", "Pictures"})}.Build(), "ppt"},
        {"OutlookMessage",
         Compound{.nodes = Streams({"__substg1.0_0037001F", "__properties_version1.0", "__substg1.0_1000001F"})}
             .Build(),
         "msg"},
        {"Visio", Compound{.nodes = Streams({"VisioDocument", "VisioInformation"})}.Build(), "vsd"},
        {"Publisher", Compound{.nodes = {{"Quill", kStorage}, {"QuillSub", kStorage, 1}, {"Contents"}}}.Build(), "pub"},
        {"Hangul", Compound{.nodes = Streams({"FileHeader", "\x05HwpSummaryInformation", "BodyText"})}.Build(), "hwp"},
        {"InstallerByClassId",
         Compound{.nodes = Streams({"\x05SummaryInformation"}), .rootClassId = InstallerClassId(0x84)}.Build(), "msi"},
        {"PatchByClassId", Compound{.rootClassId = InstallerClassId(0x86)}.Build(), "msp"},
        {"TransformByClassId", Compound{.rootClassId = InstallerClassId(0x82)}.Build(), "mst"},
        {"DirectoryInItsSecondSector", twoSectors.Build(), "doc"},
        // Past 109 FAT sectors the DIFAT sector takes a read: none is left for the template flag.
        {"DirectoryMappedThroughTheDifat", Compound{.nodes = Word(1), .base = 109 * 128}.Build(), "doc"},
        // A long directory is judged on its first 32 sectors.
        {"LongDirectoryNamedEarly",
         Compound{.nodes = Before(140, Streams({"__properties_version1.0", "__substg1.0_0037001F"}))}.Build(), "msg"},
        {"NamesPastTheDirectoryCap", Compound{.nodes = After(140, Streams({"WordDocument"}))}.Build(), nothing},
        {"SiblingLoop", Patched(Compound{.nodes = Streams({"Workbook"})}.Build(), firstName + 0x48, 1), "xls"},

        {"EncryptedOoxml", Compound{.nodes = Streams({"EncryptionInfo", "EncryptedPackage"})}.Build(), nothing},
        {"UnknownStreams", Compound{.nodes = Streams({"Contents", "\x05SummaryInformation"})}.Build(), nothing},
        {"HangulHeaderAlone", Compound{.nodes = Streams({"FileHeader", "BodyText"})}.Build(), nothing},
        {"QuillAsAStream", Compound{.nodes = Streams({"Quill"})}.Build(), nothing},
        {"WordAndWorkbookSideBySide", Compound{.nodes = Streams({"WordDocument", "Workbook"})}.Build(), nothing},
        {"InstallerClassIdWithWordStreams", Compound{.nodes = Word(0), .rootClassId = InstallerClassId(0x84)}.Build(),
         nothing},
        {"NotACompoundFile", word.substr(0, 7) + "X" + word.substr(8), nothing},
        {"HeaderCutShort", word.substr(0, 300), nothing},
        {"DirectoryCutShort", word.substr(0, firstName + 64), nothing},
        {"SectorShiftTen", Patched(word, 0x1E, 10, 2), nothing},
        {"DirectoryPastTheEnd", Patched(word, 0x30, 100000), nothing},
        {"FatSectorPastTheEnd", Patched(word, 0x4C, 0x00FFFFFF), nothing},
        {"FatSectorsCountedNone", Patched(word, 0x2C, 0), nothing},
        {"DirectoryChainLoops", Patched(twoSectors.Build(), kSector + 4 * 2, 1), nothing},
        {"DirectoryChainRunsIntoAFreeSector", Patched(twoSectors.Build(), kSector + 4 * 1, kFree), nothing},
        {"RootIsAStream", Patched(word, Compound{}.EntryAt(0) + 0x40, 0x0002'0016), nothing},
        {"NameLongerThan64Bytes", Patched(word, firstName + 0x40, 0x0002'0042), nothing},
        {"OddNameLength", Patched(word, firstName + 0x40, 0x0002'0019), nothing},
    };
}

class CompoundFileMemberTest : public ::testing::TestWithParam<Case> {};

TEST_P(CompoundFileMemberTest, NamesTheMemberFromTheTopLevelNamesOrNothing) {
    const Case& c = GetParam();
    EXPECT_EQ(LookAs(CompoundFileMember, c.bytes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompoundFileMemberTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
