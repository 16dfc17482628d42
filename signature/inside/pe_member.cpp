// Windows PE images: program, library, control panel item, driver or EFI
// image, told by the COFF characteristics, the subsystem, and for the two
// ambiguous kinds the export names (a control panel item is a library that
// exports CPlApplet) or the imported libraries (a native-subsystem image is a
// driver unless it is a native program linked against ntdll.dll).
#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signature/inside/bytes.h"
#include "signature/inside/readers.h"

namespace {

// The PE header follows the DOS stub; further out than this is no image we judge.
constexpr uint32_t kFarthestPeHeader = 64 * 1024 * 1024;
constexpr size_t kPeHeaderRead = 8 * 1024;
constexpr size_t kCoffHeaderSize = 24;  // "PE\0\0" and the COFF file header
constexpr size_t kSectionEntrySize = 40;
constexpr uint16_t kMostSections = 96;  // the loader's own limit
constexpr uint16_t kExecutableImage = 0x0002;
constexpr uint16_t kDllImage = 0x2000;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr size_t kSubsystemAt = 68;  // in the optional header, either kind
constexpr uint16_t kSubsystemNative = 1;
constexpr uint16_t kSubsystemEfiFirst = 10;  // application, boot and runtime drivers, ROM
constexpr uint16_t kSubsystemEfiLast = 13;

// The export and import data are read through at most two windows after the
// header. The first window of the export data may be larger: it takes in the
// whole export data of most libraries, and of the largest the directory, the
// address table and the start of the name pointers.
constexpr size_t kWindowBytes = 64 * 1024;
constexpr size_t kExportWindowBytes = 128 * 1024;
constexpr size_t kMostWindows = 2;
constexpr uint32_t kMostExportNames = 4096;
constexpr uint32_t kMostImportedLibraries = 64;
constexpr size_t kMostNameLength = 512;
constexpr size_t kExportDirectorySize = 40;
constexpr size_t kImportDescriptorSize = 20;
constexpr std::string_view kControlPanelEntry = "CPlApplet";

struct Section {
    uint32_t virtualAddress;
    uint32_t virtualSize;
    uint32_t rawSize;
    uint32_t rawOffset;
};

struct PeHeader {
    uint16_t characteristics;
    uint16_t subsystem;
    uint32_t exportsRva = 0;  // 0: the image has none
    uint32_t exportsSize = 0;
    uint32_t importsRva = 0;
    std::vector<Section> sections;
};

// The header at `peOffset`: COFF header, optional header and section table,
// all within one read. Nothing when any part is missing or out of shape.
std::optional<PeHeader> ReadPeHeader(ByteSource& file, uint32_t peOffset) {
    const int64_t size = file.Size();
    if (size < 0 || peOffset >= size || size - peOffset < static_cast<int64_t>(kCoffHeaderSize)) return std::nullopt;
    std::array<unsigned char, kPeHeaderRead> bytes;
    const size_t wanted = static_cast<size_t>(std::min<int64_t>(kPeHeaderRead, size - peOffset));
    const int64_t got = file.Read(peOffset, std::span(bytes.data(), wanted));
    if (got < static_cast<int64_t>(kCoffHeaderSize)) return std::nullopt;
    const unsigned char* p = bytes.data();
    if (p[0] != 'P' || p[1] != 'E' || p[2] != 0 || p[3] != 0) return std::nullopt;

    PeHeader header;
    const uint16_t sectionCount = Le16(p + 6);
    const uint16_t optionalSize = Le16(p + 20);
    header.characteristics = Le16(p + 22);
    const size_t sectionsAt = kCoffHeaderSize + optionalSize;
    if (sectionCount > kMostSections || sectionsAt + sectionCount * kSectionEntrySize > static_cast<size_t>(got)) {
        return std::nullopt;
    }
    const unsigned char* optional = p + kCoffHeaderSize;
    if (optionalSize < 2) return std::nullopt;
    const uint16_t magic = Le16(optional);
    if (magic != kMagicPe32 && magic != kMagicPe32Plus) return std::nullopt;
    const size_t countAt = magic == kMagicPe32 ? 92 : 108;  // NumberOfRvaAndSizes
    const size_t directoriesAt = countAt + 4;
    if (optionalSize < directoriesAt) return std::nullopt;
    header.subsystem = Le16(optional + kSubsystemAt);
    const size_t directories = std::min<size_t>(Le32(optional + countAt), (optionalSize - directoriesAt) / 8);
    if (directories > 0) {
        header.exportsRva = Le32(optional + directoriesAt);
        header.exportsSize = Le32(optional + directoriesAt + 4);
    }
    if (directories > 1) header.importsRva = Le32(optional + directoriesAt + 8);

    for (uint16_t i = 0; i < sectionCount; ++i) {
        const unsigned char* entry = p + sectionsAt + i * kSectionEntrySize;
        header.sections.push_back({Le32(entry + 12), Le32(entry + 8), Le32(entry + 16), Le32(entry + 20)});
    }
    return header;
}

// The image's data by RVA, mapped through the section table and read in a
// few windows: export and import data sit close together, so the names a
// table points to usually lie in the window that holds the table.
class ImageData {
public:
    ImageData(ByteSource& file, const std::vector<Section>& sections) : m_file(file), m_sections(sections) {
        m_windows.reserve(kMostWindows);  // names handed out stay where they are
    }

    // Reads a first window of up to `length` bytes at `rva`.
    void Preload(uint64_t rva, size_t length) { ReadWindow(rva, length); }

    // `length` bytes at `rva`, or nothing when outside every section's data
    // in the file or beyond the windows this reader may read.
    const unsigned char* At(uint64_t rva, size_t length) {
        if (const unsigned char* bytes = Held(rva, length)) return bytes;
        if (!ReadWindow(rva, kWindowBytes)) return nullptr;
        return Held(rva, length);
    }

    // Whether one section's data in the file holds `length` bytes at `rva`.
    bool Maps(uint64_t rva, uint64_t length) const {
        const Section* section = SectionOf(rva);
        return section && length <= Extent(*section) - (rva - section->virtualAddress);
    }

    // The NUL-ended name at `rva`.
    std::optional<std::string_view> NameAt(uint64_t rva) {
        std::optional<std::string_view> name = HeldName(rva);
        if (!name && !Held(rva, kMostNameLength) && ReadWindow(rva, kWindowBytes)) name = HeldName(rva);
        return name;
    }

private:
    struct Window {
        uint64_t rva;
        std::vector<unsigned char> bytes;
    };

    const unsigned char* Held(uint64_t rva, size_t length) const {
        for (const Window& window : m_windows) {
            if (rva >= window.rva && rva - window.rva <= window.bytes.size() &&
                length <= window.bytes.size() - (rva - window.rva)) {
                return window.bytes.data() + (rva - window.rva);
            }
        }
        return nullptr;
    }

    std::optional<std::string_view> HeldName(uint64_t rva) const {
        for (const Window& window : m_windows) {
            if (rva < window.rva || rva - window.rva >= window.bytes.size()) continue;
            const auto start = window.bytes.begin() + static_cast<ptrdiff_t>(rva - window.rva);
            const auto limit = start + std::min<ptrdiff_t>(kMostNameLength, window.bytes.end() - start);
            const auto end = std::find(start, limit, 0);
            if (end == limit) continue;
            return std::string_view(reinterpret_cast<const char*>(&*start), static_cast<size_t>(end - start));
        }
        return std::nullopt;
    }

    // The section whose data in the file holds `rva`.
    const Section* SectionOf(uint64_t rva) const {
        for (const Section& section : m_sections) {
            if (rva >= section.virtualAddress && rva - section.virtualAddress < Extent(section)) return &section;
        }
        return nullptr;
    }

    // Bytes past the virtual size are file padding, not part of the image.
    static uint32_t Extent(const Section& section) {
        return section.virtualSize ? std::min(section.virtualSize, section.rawSize) : section.rawSize;
    }

    bool ReadWindow(uint64_t rva, size_t wanted) {
        const Section* section = SectionOf(rva);
        if (!section || m_windows.size() >= kMostWindows) return false;
        const uint64_t delta = rva - section->virtualAddress;
        const size_t length = static_cast<size_t>(std::min<uint64_t>(wanted, Extent(*section) - delta));
        Window window{rva, std::vector<unsigned char>(length)};
        const int64_t got = m_file.Read(static_cast<int64_t>(section->rawOffset + delta), window.bytes);
        if (got <= 0) return false;
        window.bytes.resize(static_cast<size_t>(got));
        m_windows.push_back(std::move(window));
        return true;
    }

    ByteSource& m_file;
    const std::vector<Section>& m_sections;
    std::vector<Window> m_windows;
};

// Whether the export names hold CPlApplet. The names are sorted (the loader
// searches them by halves), so the walk stops at the first name past it; a
// table out of order, a name out of reach or more names than we look at
// before reaching it leave the question open.
std::optional<bool> ExportsControlPanelEntry(ImageData& image, uint32_t directoryRva) {
    const unsigned char* directory = image.At(directoryRva, kExportDirectorySize);
    if (!directory) return std::nullopt;
    const uint32_t count = Le32(directory + 24);
    const uint32_t pointersRva = Le32(directory + 32);
    if (count == 0) return false;
    if (!image.Maps(pointersRva, uint64_t{count} * 4)) return std::nullopt;
    const uint32_t looked = std::min(count, kMostExportNames);
    std::string_view previous;
    for (uint32_t i = 0; i < looked; ++i) {
        const unsigned char* pointer = image.At(pointersRva + uint64_t{i} * 4, 4);
        if (!pointer) return std::nullopt;
        const std::optional<std::string_view> name = image.NameAt(Le32(pointer));
        if (!name || (i > 0 && *name <= previous)) return std::nullopt;
        if (*name >= kControlPanelEntry) return *name == kControlPanelEntry;
        previous = *name;
    }
    if (looked < count) return std::nullopt;
    return false;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// Whether the import descriptors name ntdll.dll, which no kernel-mode image may link.
std::optional<bool> ImportsNtdll(ImageData& image, uint32_t descriptorsRva) {
    for (uint32_t i = 0; i < kMostImportedLibraries; ++i) {
        const unsigned char* descriptor = image.At(descriptorsRva + uint64_t{i} * kImportDescriptorSize,
                                                   kImportDescriptorSize);
        if (!descriptor) return std::nullopt;
        const uint32_t nameRva = Le32(descriptor + 12);
        if (nameRva == 0) return false;  // the table's end
        const std::optional<std::string_view> name = image.NameAt(nameRva);
        if (!name) return std::nullopt;
        if (SameLetters(*name, "ntdll.dll")) return true;
    }
    return std::nullopt;
}

InsideMember LibraryMember(ImageData& image, const PeHeader& header) {
    if (header.exportsRva == 0) return std::string("dll");
    image.Preload(header.exportsRva, std::clamp<size_t>(header.exportsSize, kExportDirectorySize, kExportWindowBytes));
    const std::optional<bool> controlPanel = ExportsControlPanelEntry(image, header.exportsRva);
    if (!controlPanel) return std::nullopt;
    return std::string(*controlPanel ? "cpl" : "dll");
}

InsideMember NativeMember(ImageData& image, const PeHeader& header) {
    if (header.importsRva == 0) return std::string("sys");
    const std::optional<bool> ntdll = ImportsNtdll(image, header.importsRva);
    if (!ntdll) return std::nullopt;
    return std::string(*ntdll ? "exe" : "sys");
}

}  // namespace

InsideMember PeMember(ByteSource& file, LeadingBytes lead) {
    if (lead.size() < 0x40 || lead[0] != 'M' || lead[1] != 'Z') return std::nullopt;
    const uint32_t peOffset = Le32(lead.data() + 0x3C);
    if (peOffset >= kFarthestPeHeader) return std::nullopt;  // also every offset negative as signed
    const std::optional<PeHeader> header = ReadPeHeader(file, peOffset);
    if (!header || !(header->characteristics & kExecutableImage)) return std::nullopt;

    // Firmware ignores the library flag some EFI tool chains set.
    if (header->subsystem >= kSubsystemEfiFirst && header->subsystem <= kSubsystemEfiLast) return std::string("efi");
    ImageData image(file, header->sections);
    if (header->characteristics & kDllImage) return LibraryMember(image, *header);
    switch (header->subsystem) {
        case kSubsystemNative:
            return NativeMember(image, *header);
        case 2:   // Windows GUI
        case 3:   // Windows console
        case 5:   // OS/2 console
        case 7:   // POSIX console
        case 9:   // Windows CE GUI
        case 14:  // Xbox
        case 16:  // Windows boot application
            return std::string("exe");
        default:
            return std::nullopt;
    }
}
