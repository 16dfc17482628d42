// Old Office compound files (Word, Excel, PowerPoint, Outlook, Visio,
// Publisher, Windows Installer, Hangul): the member is named by the streams
// and storages directly under the root, or by the root's class id. Four reads
// at most: the header, a DIFAT sector when the FAT sector needed lies past the
// header's list, the FAT sector that maps the directory's chain, the directory,
// and, if a read is left, the first bytes of a Word stream for its template
// flag, found through the same FAT sector.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "signature/inside/bytes.h"
#include "signature/inside/readers.h"

namespace {

constexpr std::array<unsigned char, 8> kMark = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr int kHeaderSize = 512;
constexpr int kHeaderFatEntries = 109;
constexpr uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoStream = 0xFFFFFFFF;
constexpr int kEntrySize = 128;
constexpr int kMaxNameBytes = 64;
// Bounds the directory read: longer chains (messages with many recipients and
// attachments) are judged on their first sectors, where the root's entries usually lie.
constexpr int kMaxDirectorySectors = 32;
constexpr int64_t kMaxDirectoryBytes = 128 * 1024;
// Smaller streams live in the mini stream, in 64-byte mini sectors.
constexpr uint64_t kMiniStreamCutoff = 4096;
constexpr int kMiniSectorShift = 6;

enum ObjectType : unsigned char { kUnallocated = 0, kStorage = 1, kStream = 2, kRoot = 5 };

struct Geometry {
    int shift = 0;
    int64_t sectorSize = 0;
    uint32_t fatEntriesPerSector = 0;
    int miniShift = 0;
};

// The one FAT sector read: it maps the sectors of index `fatIndex`'s range.
struct FatPart {
    std::vector<unsigned char> entries;
    uint32_t fatIndex = 0;

    // The sector after `sector` in its chain, or kEndOfChain when the chain
    // ends or is mapped elsewhere, or a special value (past kMaxRegularSector).
    uint32_t Next(const Geometry& g, uint32_t sector) const {
        if (sector / g.fatEntriesPerSector != fatIndex) return kEndOfChain;
        return Le32(entries.data() + 4 * (sector % g.fatEntriesPerSector));
    }
};

int64_t SectorOffset(const Geometry& g, uint32_t sector) { return (static_cast<int64_t>(sector) + 1) << g.shift; }

// Reads exactly `out.size()` bytes at the start of `sector`; false when the
// file is shorter or the budget refuses.
bool ReadSectorBytes(ByteSource& file, const Geometry& g, uint32_t sector, std::span<unsigned char> out) {
    if (sector > kMaxRegularSector) return false;
    return file.Read(SectorOffset(g, sector), out) == static_cast<int64_t>(out.size());
}

// The file position of the FAT sector with index `fatIndex`, from the header's
// list or from the first DIFAT sector; kNoStream when out of reach.
uint32_t FatSectorAt(ByteSource& file, const Geometry& g, const unsigned char* header, uint32_t fatIndex) {
    if (fatIndex >= Le32(header + 0x2C)) return kNoStream;
    if (fatIndex < kHeaderFatEntries) return Le32(header + 0x4C + 4 * fatIndex);
    // The last entry of a DIFAT sector points to the next one: one hop only.
    const uint32_t inDifat = fatIndex - kHeaderFatEntries;
    if (inDifat >= g.fatEntriesPerSector - 1 || Le32(header + 0x48) == 0) return kNoStream;
    std::vector<unsigned char> difat(static_cast<size_t>(g.sectorSize));
    if (!ReadSectorBytes(file, g, Le32(header + 0x44), difat)) return kNoStream;
    return Le32(difat.data() + 4 * inDifat);
}

// The directory's sectors in chain order, as far as the FAT sector that maps
// the first one reaches; empty when the chain is damaged (loops, free or
// special sectors inside it) or cannot be read.
std::vector<uint32_t> DirectoryChain(ByteSource& file, const Geometry& g, const unsigned char* header, FatPart& fat) {
    const uint32_t first = Le32(header + 0x30);
    if (first > kMaxRegularSector) return {};
    fat.fatIndex = first / g.fatEntriesPerSector;
    const uint32_t fatSector = FatSectorAt(file, g, header, fat.fatIndex);
    fat.entries.resize(static_cast<size_t>(g.sectorSize));
    if (fatSector > kMaxRegularSector || !ReadSectorBytes(file, g, fatSector, fat.entries)) return {};

    std::vector<uint32_t> chain = {first};
    while (static_cast<int>(chain.size()) < kMaxDirectorySectors) {
        const uint32_t next = fat.Next(g, chain.back());
        if (next == kEndOfChain) break;
        if (next > kMaxRegularSector) return {};
        if (std::find(chain.begin(), chain.end(), next) != chain.end()) return {};
        chain.push_back(next);
    }
    return chain;
}

// The directory stream as far as one read of a span of sectors holds it.
std::vector<unsigned char> ReadDirectory(ByteSource& file, const Geometry& g, const std::vector<uint32_t>& chain) {
    // The longest start of the chain whose sectors lie within one span the budget allows.
    uint32_t low = chain.front(), high = chain.front();
    size_t count = 0;
    for (const uint32_t sector : chain) {
        const uint32_t newLow = std::min(low, sector), newHigh = std::max(high, sector);
        if ((static_cast<int64_t>(newHigh - newLow) + 1) * g.sectorSize > kMaxDirectoryBytes) break;
        low = newLow;
        high = newHigh;
        ++count;
    }
    std::vector<unsigned char> span(static_cast<size_t>((static_cast<int64_t>(high - low) + 1) * g.sectorSize));
    if (!ReadSectorBytes(file, g, low, span)) return {};

    std::vector<unsigned char> directory;
    directory.reserve(count * static_cast<size_t>(g.sectorSize));
    for (size_t i = 0; i < count; ++i) {
        const auto at = span.begin() + static_cast<std::ptrdiff_t>((chain[i] - low) * g.sectorSize);
        directory.insert(directory.end(), at, at + g.sectorSize);
    }
    return directory;
}

struct Entry {
    std::string name;  // lower-case ASCII; other code units as 0xFF, which no known name holds
    unsigned char type = kUnallocated;
    uint32_t left = kNoStream, right = kNoStream, child = kNoStream;
    const unsigned char* classId = nullptr;
    uint32_t start = 0;
    uint64_t size = 0;
};

// False for an allocated entry whose fields cannot be right.
bool ParseEntry(const unsigned char* p, int shift, Entry& entry) {
    entry.type = p[0x42];
    if (entry.type != kStorage && entry.type != kStream && entry.type != kRoot) return false;
    const uint16_t nameBytes = Le16(p + 0x40);
    if (nameBytes < 2 || nameBytes > kMaxNameBytes || nameBytes % 2 != 0) return false;
    entry.name.clear();
    for (int i = 0; i + 2 < nameBytes; i += 2) {
        const uint16_t unit = Le16(p + i);
        const char c = unit < 0x80 ? static_cast<char>(unit) : '\xFF';
        entry.name.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    entry.left = Le32(p + 0x44);
    entry.right = Le32(p + 0x48);
    entry.child = Le32(p + 0x4C);
    entry.classId = p + 0x50;
    entry.start = Le32(p + 0x74);
    // Version 3 writers may leave garbage in the size's upper half.
    entry.size = shift == 9 ? Le32(p + 0x78) : Le64(p + 0x78);
    return true;
}

// {000C10xx-0000-0000-C000-000000000046} as stored: the first three fields little-endian.
std::optional<std::string> InstallerByClassId(const unsigned char* classId) {
    static constexpr unsigned char kTail[] = {0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00,
                                              0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    if (classId[1] != 0x10 || std::memcmp(classId + 2, kTail, sizeof kTail) != 0) return std::nullopt;
    switch (classId[0]) {
        case 0x84: return "msi";
        case 0x86: return "msp";
        case 0x82: return "mst";
        default: return std::nullopt;
    }
}

struct TopLevel {
    std::vector<std::string> members;
    bool encrypted = false;
    bool hwpHeader = false, hwpSummary = false;
    Entry root;
    Entry word;  // type stays kUnallocated when there is no Word stream
};

void AddMember(TopLevel& found, std::string member) {
    if (std::find(found.members.begin(), found.members.end(), member) == found.members.end())
        found.members.push_back(std::move(member));
}

void NoteName(const Entry& entry, TopLevel& found) {
    const std::string_view name = entry.name;
    if (name == "worddocument") {
        AddMember(found, "doc");
        found.word = entry;
    } else if (name == "workbook" || name == "book") {
        AddMember(found, "xls");
    } else if (name == "powerpoint document") {
        AddMember(found, "ppt");
    } else if (name.starts_with("__substg1.0_") || name == "__properties_version1.0") {
        AddMember(found, "msg");
    } else if (name == "visiodocument") {
        AddMember(found, "vsd");
    } else if (name == "quill" && entry.type == kStorage) {
        AddMember(found, "pub");
    } else if (name == "fileheader") {
        found.hwpHeader = true;
    } else if (name == "\x05hwpsummaryinformation") {
        found.hwpSummary = true;
    } else if (name == "encryptedpackage") {
        found.encrypted = true;
    }
}

// The names directly under the root: the root's child and all its siblings
// in the tree. Entries past what was read stay unseen; false when damaged.
bool ScanTopLevel(const std::vector<unsigned char>& directory, int shift, TopLevel& found) {
    const size_t entryCount = directory.size() / kEntrySize;
    Entry& root = found.root;
    if (entryCount == 0 || !ParseEntry(directory.data(), shift, root) || root.type != kRoot) return false;
    if (std::optional<std::string> installer = InstallerByClassId(root.classId)) AddMember(found, *installer);

    std::vector<bool> seen(entryCount, false);
    seen[0] = true;
    std::vector<uint32_t> pending;
    const auto push = [&](uint32_t id) {
        if (id < entryCount && !seen[id]) {
            seen[id] = true;
            pending.push_back(id);
        }
    };
    push(root.child);
    Entry entry;
    while (!pending.empty()) {
        const uint32_t id = pending.back();
        pending.pop_back();
        if (!ParseEntry(directory.data() + static_cast<size_t>(id) * kEntrySize, shift, entry)) return false;
        if (entry.type == kRoot) return false;
        NoteName(entry, found);
        push(entry.left);
        push(entry.right);
    }
    if (found.hwpHeader && found.hwpSummary) AddMember(found, "hwp");
    return true;
}

// Where a stream's first bytes lie in the file: its first sector, or, for a
// small stream, its first mini sector within the root's chain as far as the
// FAT sector read maps it; -1 when out of reach.
int64_t StreamStart(const Geometry& g, const FatPart& fat, const Entry& root, const Entry& stream) {
    if (stream.start > kMaxRegularSector || g.miniShift != kMiniSectorShift) return -1;
    if (stream.size >= kMiniStreamCutoff) return SectorOffset(g, stream.start);
    const uint64_t miniOffset = static_cast<uint64_t>(stream.start) << kMiniSectorShift;
    if (miniOffset >= root.size) return -1;
    uint32_t sector = root.start;
    // A chain within one FAT sector's range has no more distinct sectors than that range.
    const uint64_t steps = miniOffset >> g.shift;
    if (steps >= g.fatEntriesPerSector) return -1;
    for (uint64_t i = 0; i < steps && sector <= kMaxRegularSector; ++i) sector = fat.Next(g, sector);
    if (sector > kMaxRegularSector) return -1;
    return SectorOffset(g, sector) + static_cast<int64_t>(miniOffset & static_cast<uint64_t>(g.sectorSize - 1));
}

// A Word stream's template flag (fDot, bit 0 of the word at 0x0A of its
// header), when its start is within reach and a read is left.
bool IsWordTemplate(ByteSource& file, const Geometry& g, const FatPart& fat, const TopLevel& found) {
    const int64_t at = StreamStart(g, fat, found.root, found.word);
    std::array<unsigned char, 12> fib{};
    if (at < 0 || file.Read(at, fib) != static_cast<int64_t>(fib.size())) return false;
    const uint16_t ident = Le16(fib.data());
    return (ident == 0xA5EC || ident == 0xA5DC) && (Le16(fib.data() + 0x0A) & 1) != 0;
}

}  // namespace

InsideMember CompoundFileMember(ByteSource& file, LeadingBytes lead) {
    if (lead.size() < kMark.size() || !std::equal(kMark.begin(), kMark.end(), lead.begin())) return std::nullopt;

    std::array<unsigned char, kHeaderSize> header{};
    if (file.Read(0, header) != kHeaderSize) return std::nullopt;
    Geometry g;
    g.shift = Le16(header.data() + 0x1E);
    if (g.shift != 9 && g.shift != 12) return std::nullopt;
    g.sectorSize = int64_t{1} << g.shift;
    g.fatEntriesPerSector = static_cast<uint32_t>(g.sectorSize / 4);
    g.miniShift = Le16(header.data() + 0x20);

    FatPart fat;
    const std::vector<uint32_t> chain = DirectoryChain(file, g, header.data(), fat);
    if (chain.empty()) return std::nullopt;
    const std::vector<unsigned char> directory = ReadDirectory(file, g, chain);
    TopLevel found;
    if (directory.empty() || !ScanTopLevel(directory, g.shift, found)) return std::nullopt;
    // Password-protected OOXML: the compound file only wraps the real document.
    if (found.encrypted || found.members.size() != 1) return std::nullopt;
    if (found.members.front() == "doc" && IsWordTemplate(file, g, fat, found)) return "dot";
    return found.members.front();
}
