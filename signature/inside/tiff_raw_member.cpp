// Names the camera raw member of the TIFF family from the first image file
// directory: DNG by its version tag, other raws by the maker, but only when
// the directory also shows a structure that only cameras write.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "signature/inside/bytes.h"
#include "signature/inside/readers.h"

namespace {

constexpr uint16_t kNewSubfileType = 0x00FE;
constexpr uint16_t kPhotometric = 0x0106;
constexpr uint16_t kMake = 0x010F;
constexpr uint16_t kModel = 0x0110;
constexpr uint16_t kSubIfds = 0x014A;
constexpr uint16_t kCfaRepeatPatternDim = 0x828D;
constexpr uint16_t kCfaPattern = 0x828E;
constexpr uint16_t kDngVersion = 0xC612;

constexpr uint16_t kTypeByte = 1;
constexpr uint16_t kTypeAscii = 2;
constexpr uint16_t kTypeShort = 3;
constexpr uint16_t kTypeLong = 4;

// Photometric interpretations of sensor data before demosaicing.
constexpr uint32_t kColorFilterArray = 32803;
constexpr uint32_t kLinearRaw = 34892;

constexpr int64_t kHeaderSize = 8;
constexpr int64_t kFirstReadSize = 64 * 1024;
constexpr int64_t kEntrySize = 12;
constexpr int64_t kMaxEntries = 512;
constexpr int64_t kMaxDirectorySize = 2 + kEntrySize * kMaxEntries;
// Enough of a maker or model name to tell it.
constexpr int64_t kMaxTextSize = 64;

// Bytes read from the file, with the offset they were read from.
struct Window {
    int64_t start = 0;
    std::vector<unsigned char> bytes;

    bool Holds(int64_t offset, int64_t length) const {
        return offset >= start && offset - start <= static_cast<int64_t>(bytes.size()) &&
               length <= static_cast<int64_t>(bytes.size()) - (offset - start);
    }
    const unsigned char* At(int64_t offset) const { return bytes.data() + (offset - start); }
};

std::optional<Window> ReadWindow(ByteSource& file, int64_t offset, int64_t length) {
    Window window{offset, std::vector<unsigned char>(static_cast<size_t>(length))};
    const int64_t got = file.Read(offset, window.bytes);
    if (got <= 0) return std::nullopt;
    window.bytes.resize(static_cast<size_t>(got));
    return window;
}

struct Entry {
    uint16_t type = 0;
    uint32_t count = 0;
    std::array<unsigned char, 4> value{};  // the value itself when it fits, else its offset
};

class Directory {
public:
    explicit Directory(bool bigEndian) : m_bigEndian(bigEndian) {}

    uint16_t U16(const unsigned char* p) const { return m_bigEndian ? Be16(p) : Le16(p); }
    uint32_t U32(const unsigned char* p) const { return m_bigEndian ? Be32(p) : Le32(p); }

    void Add(const unsigned char* p) {
        const uint16_t tag = U16(p);
        for (const auto& [known, entry] : m_entries) {
            if (known == tag) return;  // the first of repeated tags counts
        }
        Entry entry{U16(p + 2), U32(p + 4), {p[8], p[9], p[10], p[11]}};
        m_entries.emplace_back(tag, entry);
    }

    const Entry* Find(uint16_t tag) const {
        for (const auto& [known, entry] : m_entries) {
            if (known == tag) return &entry;
        }
        return nullptr;
    }

    // A SHORT or LONG tag's first value.
    std::optional<uint32_t> Number(uint16_t tag) const {
        const Entry* entry = Find(tag);
        if (!entry || entry->count == 0) return std::nullopt;
        if (entry->type == kTypeShort) return U16(entry->value.data());
        if (entry->type == kTypeLong) return U32(entry->value.data());
        return std::nullopt;
    }

private:
    bool m_bigEndian;
    std::vector<std::pair<uint16_t, Entry>> m_entries;
};

// The IFD's entries: from the first read when it holds them, else from one read of its own.
std::optional<Directory> ReadDirectory(ByteSource& file, const Window& first, int64_t offset, bool bigEndian,
                                       std::deque<Window>& windows) {
    Directory directory(bigEndian);
    const Window* source = &first;
    if (!first.Holds(offset, 2) ||
        !first.Holds(offset, 2 + kEntrySize * static_cast<int64_t>(directory.U16(first.At(offset))))) {
        std::optional<Window> own = ReadWindow(file, offset, kMaxDirectorySize);
        if (!own) return std::nullopt;
        windows.push_back(std::move(*own));
        source = &windows.back();
    }
    if (!source->Holds(offset, 2)) return std::nullopt;
    const int64_t count = directory.U16(source->At(offset));
    if (count == 0 || count > kMaxEntries || !source->Holds(offset + 2, kEntrySize * count)) return std::nullopt;
    for (int64_t i = 0; i < count; ++i) directory.Add(source->At(offset + 2 + kEntrySize * i));
    return directory;
}

// An ASCII tag's text up to its first zero, without trailing spaces; read
// when none of the windows holds it.
std::optional<std::string> Text(ByteSource& file, const Directory& directory, uint16_t tag,
                                std::deque<Window>& windows) {
    const Entry* entry = directory.Find(tag);
    if (!entry || entry->type != kTypeAscii || entry->count == 0) return std::nullopt;
    const int64_t length = std::min<int64_t>(entry->count, kMaxTextSize);
    std::string text;
    if (entry->count <= 4) {
        text.assign(entry->value.begin(), entry->value.begin() + length);
    } else {
        const int64_t offset = directory.U32(entry->value.data());
        auto holder = std::find_if(windows.begin(), windows.end(),
                                   [&](const Window& window) { return window.Holds(offset, length); });
        if (holder == windows.end()) {
            std::optional<Window> own = ReadWindow(file, offset, length);
            if (!own || !own->Holds(offset, length)) return std::nullopt;
            windows.push_back(std::move(*own));
            holder = windows.end() - 1;
        }
        text.assign(holder->At(offset), holder->At(offset) + length);
    }
    text = text.substr(0, text.find('\0'));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(prefix[i])) return false;
    }
    return true;
}

// Signs that only a camera writes: IFD0 holds sensor data (a colour filter
// array or linear raw), or it is the reduced-resolution stand-in of a main
// image kept elsewhere, or it points to sub-IFDs holding the full images.
bool LooksRaw(const Directory& directory) {
    const std::optional<uint32_t> photometric = directory.Number(kPhotometric);
    if (photometric == kColorFilterArray || photometric == kLinearRaw) return true;
    if (directory.Find(kCfaRepeatPatternDim) || directory.Find(kCfaPattern)) return true;
    const std::optional<uint32_t> subfileType = directory.Number(kNewSubfileType);
    if (subfileType && (*subfileType & 1) != 0) return true;
    return directory.Find(kSubIfds) != nullptr;
}

struct MakerRaw {
    std::string_view makePrefix;
    std::string_view extension;
};

constexpr std::array kMakerRaws{
    MakerRaw{"NIKON", "nef"},        MakerRaw{"SONY", "arw"},          MakerRaw{"PENTAX", "pef"},
    MakerRaw{"RICOH", "pef"},        MakerRaw{"SAMSUNG", "srw"},       MakerRaw{"Hasselblad", "3fr"},
    MakerRaw{"Leaf", "mos"},         MakerRaw{"Phase One", "iiq"},     MakerRaw{"Kodak", "dcr"},
    MakerRaw{"EASTMAN KODAK", "dcr"}, MakerRaw{"SEIKO EPSON", "erf"}, MakerRaw{"Mamiya", "mef"},
};

// Models whose raws carry another extension than their maker's usual one:
// Coolpix raws may be nef or nrw, early Sony raws are srf or sr2.
bool ModelMakesOtherRaw(std::string_view extension, std::string_view model) {
    if (extension == "nef") return StartsWithNoCase(model, "COOLPIX");
    if (extension == "arw") return model == "DSC-F828" || model == "DSC-V3" || model == "DSC-R1";
    return false;
}

}  // namespace

InsideMember TiffRawMember(ByteSource& file, LeadingBytes lead) {
    if (lead.size() < kHeaderSize) return std::nullopt;
    const bool little = lead[0] == 'I' && lead[1] == 'I' && lead[2] == 0x2A && lead[3] == 0;
    const bool big = lead[0] == 'M' && lead[1] == 'M' && lead[2] == 0 && lead[3] == 0x2A;
    if (!little && !big) return std::nullopt;
    const int64_t ifdOffset = big ? Be32(lead.data() + 4) : Le32(lead.data() + 4);
    const int64_t fileSize = file.Size();
    if (ifdOffset < kHeaderSize || (fileSize >= 0 && ifdOffset >= fileSize)) return std::nullopt;

    std::deque<Window> windows;  // adding one leaves the others where they are
    std::optional<Window> first =
        ReadWindow(file, 0, fileSize >= 0 ? std::min(fileSize, kFirstReadSize) : kFirstReadSize);
    if (!first) return std::nullopt;
    windows.push_back(std::move(*first));
    const std::optional<Directory> directory = ReadDirectory(file, windows.front(), ifdOffset, big, windows);
    if (!directory) return std::nullopt;

    const Entry* dngVersion = directory->Find(kDngVersion);
    if (dngVersion && dngVersion->type == kTypeByte && dngVersion->count == 4 && dngVersion->value[0] >= 1) {
        return "dng";
    }
    if (!LooksRaw(*directory)) return std::nullopt;
    const std::optional<std::string> make = Text(file, *directory, kMake, windows);
    if (!make) return std::nullopt;
    const std::string_view maker = std::string_view(*make).substr(std::min(make->find_first_not_of(' '), make->size()));
    for (const MakerRaw& raw : kMakerRaws) {
        if (!StartsWithNoCase(maker, raw.makePrefix)) continue;
        if (raw.extension == "nef" || raw.extension == "arw") {
            const std::optional<std::string> model = Text(file, *directory, kModel, windows);
            if (!model || ModelMakesOtherRaw(raw.extension, *model)) return std::nullopt;
        }
        return std::string(raw.extension);
    }
    return std::nullopt;
}
