// Names the member of the ZIP family from the archive's central directory:
// the names it lists, and the text of `mimetype` or `[Content_Types].xml`.
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <vector>

#include "signature/inside/bytes.h"
#include "signature/inside/readers.h"

namespace {

constexpr int64_t kEndRecordSize = 22;
constexpr int64_t kZip64LocatorSize = 20;
constexpr int64_t kZip64EndRecordSize = 56;
// The end record, its longest comment and the ZIP64 records before it.
constexpr int64_t kTailSize = kEndRecordSize + 65535 + kZip64LocatorSize + kZip64EndRecordSize;
constexpr int64_t kDirectorySize = 160 * 1024;
constexpr int kEndRecordsTried = 8;
constexpr int64_t kEntryHeaderSize = 46;
constexpr int64_t kLocalHeaderSize = 30;
// Local headers may carry a longer extra field than the directory says (alignment, ZIP64).
constexpr int64_t kLocalExtraSlack = 512;
constexpr uint64_t kMemberTextSize = 64 * 1024;
constexpr uint64_t kMimetypeSize = 128;

bool HasMark(const unsigned char* p, unsigned char third, unsigned char fourth) {
    return p[0] == 'P' && p[1] == 'K' && p[2] == third && p[3] == fourth;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Bytes read from the file, with the offset they were read from.
struct Window {
    int64_t start = 0;
    std::vector<unsigned char> bytes;

    int64_t End() const { return start + static_cast<int64_t>(bytes.size()); }
    bool Holds(int64_t offset, int64_t length) const { return offset >= start && length <= End() - offset; }
    std::span<const unsigned char> From(int64_t offset, int64_t length) const {
        return std::span<const unsigned char>(bytes).subspan(static_cast<size_t>(offset - start),
                                                             static_cast<size_t>(length));
    }
};

std::optional<Window> ReadWindow(ByteSource& file, int64_t offset, int64_t length) {
    Window window{offset, std::vector<unsigned char>(static_cast<size_t>(std::max<int64_t>(length, 0)))};
    const int64_t count = file.Read(offset, window.bytes);
    if (count < 0) return std::nullopt;
    window.bytes.resize(static_cast<size_t>(count));
    return window;
}

// The bytes [offset, offset + length) from `held` when it has them all, else
// as many of them as the rest of the budget allows, read from the file.
std::optional<Window> View(ByteSource& file, const Window& held, int64_t offset, int64_t length) {
    if (offset >= 0 && offset <= file.Size()) length = std::min(length, file.Size() - offset);
    if (held.Holds(offset, length)) {
        const auto bytes = held.From(offset, length);
        return Window{offset, std::vector<unsigned char>(bytes.begin(), bytes.end())};
    }
    return ReadWindow(file, offset, std::min(length, kInsideByteLimit - file.BytesAsked()));
}

// Where the central directory lies, as the end records tell.
struct DirectoryPlace {
    int64_t start = 0;
    int64_t size = 0;
    uint64_t entries = 0;
    int64_t prepended = 0;  // bytes before the archive (a stub): added to every stored offset
};

// The ZIP64 end record just before the locator at `locator` in `tail`: where
// the locator says it is, or right before the locator when data was prepended.
std::optional<int64_t> Zip64EndRecord(const Window& tail, int64_t locator) {
    const unsigned char* l = tail.bytes.data() + locator;
    if (Le32(l + 4) != 0 || Le32(l + 16) > 1) return std::nullopt;  // another disk holds it
    const uint64_t stored = Le64(l + 8);
    for (const uint64_t at : {stored, static_cast<uint64_t>(tail.start + locator - kZip64EndRecordSize)}) {
        if (at < static_cast<uint64_t>(tail.start) || at > static_cast<uint64_t>(tail.start + locator) ||
            !tail.Holds(static_cast<int64_t>(at), kZip64EndRecordSize)) {
            continue;
        }
        const unsigned char* r = tail.bytes.data() + (at - tail.start);
        if (HasMark(r, 6, 6) && Le64(r + 4) == static_cast<uint64_t>(tail.start + locator) - at - 12) {
            return static_cast<int64_t>(at);
        }
    }
    return std::nullopt;
}

// The directory the end record at `at` in `tail` names, when the record ends
// the file with its comment and its numbers fit together.
std::optional<DirectoryPlace> PlaceNamedAt(const Window& tail, int64_t at) {
    const unsigned char* r = tail.bytes.data() + at;
    if (at + kEndRecordSize + Le16(r + 20) != static_cast<int64_t>(tail.bytes.size())) return std::nullopt;
    uint64_t disk = Le16(r + 4), directoryDisk = Le16(r + 6), diskEntries = Le16(r + 8), entries = Le16(r + 10);
    uint64_t size = Le32(r + 12), offset = Le32(r + 16);
    int64_t end = tail.start + at;
    if (at >= kZip64LocatorSize && HasMark(r - kZip64LocatorSize, 6, 7)) {
        const std::optional<int64_t> record = Zip64EndRecord(tail, at - kZip64LocatorSize);
        if (!record) return std::nullopt;
        const unsigned char* z = tail.bytes.data() + (*record - tail.start);
        disk = Le32(z + 16), directoryDisk = Le32(z + 20), diskEntries = Le64(z + 24), entries = Le64(z + 32);
        size = Le64(z + 40), offset = Le64(z + 48);
        end = *record;
    }
    if (disk != 0 || directoryDisk != 0 || diskEntries != entries) return std::nullopt;
    if (size > static_cast<uint64_t>(end) || offset > static_cast<uint64_t>(end) - size) return std::nullopt;
    // An empty archive is its end record alone; an empty directory named
    // after other bytes is an end record found in a comment.
    if ((entries == 0) != (size == 0) || (entries == 0 && end != 0)) return std::nullopt;
    const auto directorySize = static_cast<int64_t>(size);
    const int64_t start = end - directorySize;
    return DirectoryPlace{start, directorySize, entries, start - static_cast<int64_t>(offset)};
}

// One central directory entry, with what reading its data needs.
struct Entry {
    std::string_view name;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint64_t compressedSize = 0;
    int64_t localOffset = 0;
    uint16_t extraLength = 0;
};

// The directory entry at `p`, which holds `available` bytes; its ZIP64 extra
// field replaces the sizes and the offset the entry saturated.
std::optional<Entry> EntryAt(const unsigned char* p, size_t available, size_t& length) {
    if (available < kEntryHeaderSize || !HasMark(p, 1, 2)) return std::nullopt;
    const size_t nameLength = Le16(p + 28), extraLength = Le16(p + 30), commentLength = Le16(p + 32);
    length = kEntryHeaderSize + nameLength + extraLength + commentLength;
    if (length > available) return std::nullopt;
    Entry entry{std::string_view(reinterpret_cast<const char*>(p + kEntryHeaderSize), nameLength), Le16(p + 8),
                Le16(p + 10), Le32(p + 20), 0, static_cast<uint16_t>(extraLength)};
    uint64_t uncompressed = Le32(p + 24);
    uint64_t offset = Le32(p + 42);
    const unsigned char* extra = p + kEntryHeaderSize + nameLength;
    for (size_t at = 0; at + 4 <= extraLength;) {
        const size_t blockEnd = at + 4 + Le16(extra + at + 2);
        if (blockEnd > extraLength) break;
        if (Le16(extra + at) == 0x0001) {
            // The 64-bit values follow in this order, each only for a field the entry saturated.
            size_t value = at + 4;
            for (uint64_t* field : {&uncompressed, &entry.compressedSize, &offset}) {
                if (*field != 0xFFFFFFFFu || blockEnd - value < 8) continue;
                *field = Le64(extra + value);
                value += 8;
            }
        }
        at = blockEnd;
    }
    if (offset > static_cast<uint64_t>(INT64_MAX / 2) || entry.compressedSize > static_cast<uint64_t>(INT64_MAX / 2)) {
        return std::nullopt;
    }
    entry.localOffset = static_cast<int64_t>(offset);
    return entry;
}

// Names that tell a member, or at least that the archive is not a plain one.
enum Mark : unsigned {
    kNuspec = 1u << 0,
    kAppxManifest = 1u << 1,
    kVsixManifest = 1u << 2,
    kBundleManifest = 1u << 3,
    kAndroidManifest = 1u << 4,
    kDex = 1u << 5,
    kClassesJar = 1u << 6,
    kInstallRdf = 1u << 7,
    kWebExtensionManifest = 1u << 8,
    kMozillaSignature = 1u << 9,
    kEnterpriseDescriptor = 1u << 10,
    kWebInf = 1u << 11,
    kWheel = 1u << 12,
    kEggInfo = 1u << 13,
    kIosApp = 1u << 14,
    kKml = 1u << 15,
    kJarManifest = 1u << 16,
    kPackageHint = 1u << 17,  // a name only packages carry, naming none of them alone
};

unsigned MarksOf(std::string_view name) {
    const size_t slash = name.find('/');
    const bool atRoot = slash == std::string_view::npos;
    unsigned marks = 0;
    if (atRoot && EndsWith(name, ".nuspec") && name.size() > 7) marks |= kNuspec;
    if (name == "AppxManifest.xml") marks |= kAppxManifest;
    if (name == "extension.vsixmanifest") marks |= kVsixManifest;
    if (name == "base/manifest/AndroidManifest.xml") marks |= kBundleManifest;
    if (name == "AndroidManifest.xml") marks |= kAndroidManifest;
    if (name == "classes.dex") marks |= kDex;
    if (name == "classes.jar") marks |= kClassesJar;
    if (name == "install.rdf") marks |= kInstallRdf;
    if (name == "manifest.json") marks |= kWebExtensionManifest;
    if (name == "META-INF/mozilla.rsa") marks |= kMozillaSignature;
    if (name == "META-INF/application.xml") marks |= kEnterpriseDescriptor;
    if (StartsWith(name, "WEB-INF/")) marks |= kWebInf;
    if (!atRoot && EndsWith(name.substr(0, slash), ".dist-info") && name.substr(slash + 1) == "WHEEL") marks |= kWheel;
    if (StartsWith(name, "EGG-INFO/")) marks |= kEggInfo;
    if (StartsWith(name, "Payload/")) {
        const std::string_view inside = name.substr(8);
        const size_t end = inside.find('/');
        if (end != std::string_view::npos && end > 4 && EndsWith(inside.substr(0, end), ".app")) marks |= kIosApp;
    }
    if (name == "doc.kml") marks |= kKml;
    if (name == "META-INF/MANIFEST.MF") marks |= kJarManifest;
    if (StartsWith(name, "META-INF/") || StartsWith(name, "AppxMetadata/") || StartsWith(name, "Payload/") ||
        name == "mimetype" || name == "[Content_Types].xml" || name == "_rels/.rels" ||
        name == "Index/Document.iwa" || (atRoot && (EndsWith(name, ".usdc") || EndsWith(name, ".usda")))) {
        marks |= kPackageHint;
    }
    return marks;
}

bool HasAll(unsigned marks, unsigned wanted) { return (marks & wanted) == wanted; }

// The member the names tell, the more specific first (a war or an apk also has a jar's manifest).
InsideMember MemberOfMarks(unsigned marks) {
    if (marks & kNuspec) return "nupkg";
    if (marks & kAppxManifest) return "appx";
    if (marks & kVsixManifest) return "vsix";
    if (marks & kBundleManifest) return "aab";
    if (HasAll(marks, kAndroidManifest | kDex)) return "apk";
    if (HasAll(marks, kAndroidManifest | kClassesJar)) return "aar";
    // An apk of resources only has no code, yet its manifest at the root.
    if (marks & kAndroidManifest) return "apk";
    if ((marks & kInstallRdf) || HasAll(marks, kWebExtensionManifest | kMozillaSignature)) return "xpi";
    if (marks & kEnterpriseDescriptor) return "ear";
    if (marks & kWebInf) return "war";
    if (marks & kWheel) return "whl";
    if (marks & kEggInfo) return "egg";
    if (marks & kIosApp) return "ipa";
    if (marks & kKml) return "kmz";
    // A jar's manifest alone, or with a name that hints at a package the names do not complete.
    if ((marks & kJarManifest) && (marks & ~(kJarManifest | kPackageHint)) == 0) return "jar";
    return std::nullopt;
}

// Members whose names no more specific member's names come with, so that part
// of a directory names them as well as all of it (an apk by its code: an
// aar's classes.jar may be in the part not seen).
bool NamedByPart(const std::string& member, unsigned marks) {
    if (member == "apk") return (marks & kDex) != 0;
    return member == "aab" || member == "ipa" || member == "war" || member == "whl" || member == "egg";
}

// What the walk over the central directory found.
struct Listing {
    bool whole = false;  // every entry was seen
    unsigned marks = 0;
    std::optional<Entry> mimetype;
    std::optional<Entry> contentTypes;
};

// Walks the directory held in `bytes` (all of it when `complete`); nothing
// when its entries do not fit together.
std::optional<Listing> WalkDirectory(std::span<const unsigned char> bytes, bool complete, const DirectoryPlace& place) {
    Listing listing;
    size_t at = 0;
    uint64_t seen = 0;
    while (seen < place.entries) {
        size_t length = 0;
        const std::optional<Entry> entry = EntryAt(bytes.data() + at, bytes.size() - at, length);
        if (!entry) {
            // An entry the cap cut short ends what was seen; any other misfit is damage.
            const size_t left = bytes.size() - at;
            if (complete || (left >= kEntryHeaderSize && !HasMark(bytes.data() + at, 1, 2))) return std::nullopt;
            return listing;
        }
        // A name with a NUL in it reads as another name to other programs.
        if (entry->name.find('\0') != std::string_view::npos) return std::nullopt;
        listing.marks |= MarksOf(entry->name);
        if (entry->name == "mimetype") listing.mimetype = entry;
        if (entry->name == "[Content_Types].xml") listing.contentTypes = entry;
        at += length;
        ++seen;
    }
    if (!complete || at != bytes.size()) return std::nullopt;
    listing.whole = true;
    return listing;
}

// Up to `cap` bytes inflated from a raw deflate stream, the stream may be cut
// short; nothing when it is damaged.
std::optional<std::string> Inflated(std::span<const unsigned char> input, size_t cap) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
    std::string text(cap, '\0');
    stream.next_in = const_cast<Bytef*>(input.data());
    stream.avail_in = static_cast<uInt>(input.size());
    stream.next_out = reinterpret_cast<Bytef*>(text.data());
    stream.avail_out = static_cast<uInt>(cap);
    const int result = inflate(&stream, Z_FINISH);
    text.resize(cap - stream.avail_out);
    inflateEnd(&stream);
    if (result != Z_STREAM_END && result != Z_BUF_ERROR && result != Z_OK) return std::nullopt;
    return text;
}

// The entry's text, at most `cap` bytes of it (a member cut by the budget
// gives its beginning); nothing when it is encrypted, stored in an unknown way
// or damaged, or when its local header does not agree with the directory.
std::optional<std::string> MemberText(ByteSource& file, const Window& tail, const Entry& entry, int64_t prepended,
                                      uint64_t cap) {
    if ((entry.flags & 1) != 0 || (entry.method != 0 && entry.method != 8)) return std::nullopt;
    if (entry.localOffset > INT64_MAX / 2 - prepended) return std::nullopt;
    const int64_t local = entry.localOffset + prepended;
    const auto wanted = static_cast<int64_t>(std::min<uint64_t>(entry.compressedSize, cap));
    const std::optional<Window> window = View(
        file, tail, local, kLocalHeaderSize + static_cast<int64_t>(entry.name.size()) + entry.extraLength +
                               kLocalExtraSlack + wanted);
    if (!window || window->bytes.size() < kLocalHeaderSize) return std::nullopt;
    const unsigned char* header = window->bytes.data();
    if (!HasMark(header, 3, 4) || (Le16(header + 6) & 1) != 0 || Le16(header + 8) != entry.method) {
        return std::nullopt;
    }
    const int64_t nameLength = Le16(header + 26);
    const int64_t dataStart = kLocalHeaderSize + nameLength + Le16(header + 28);
    const auto held = static_cast<int64_t>(window->bytes.size());
    if (dataStart > held || nameLength != static_cast<int64_t>(entry.name.size()) ||
        std::memcmp(header + kLocalHeaderSize, entry.name.data(), entry.name.size()) != 0) {
        return std::nullopt;
    }
    const auto data = std::span<const unsigned char>(window->bytes).subspan(
        static_cast<size_t>(dataStart), static_cast<size_t>(std::min(wanted, held - dataStart)));
    if (entry.method == 8) return Inflated(data, static_cast<size_t>(cap));
    return std::string(data.begin(), data.end());
}

struct Named {
    std::string_view text;
    std::string_view member;
};

constexpr std::array kMimetypes{
    Named{"application/vnd.oasis.opendocument.text", "odt"},
    Named{"application/vnd.oasis.opendocument.text-template", "ott"},
    Named{"application/vnd.oasis.opendocument.spreadsheet", "ods"},
    Named{"application/vnd.oasis.opendocument.spreadsheet-template", "ots"},
    Named{"application/vnd.oasis.opendocument.presentation", "odp"},
    Named{"application/vnd.oasis.opendocument.presentation-template", "otp"},
    Named{"application/vnd.oasis.opendocument.graphics", "odg"},
    Named{"application/vnd.oasis.opendocument.graphics-template", "otg"},
    Named{"application/vnd.oasis.opendocument.formula", "odf"},
    Named{"application/vnd.oasis.opendocument.base", "odb"},
    Named{"application/vnd.oasis.opendocument.chart", "odc"},
    Named{"application/epub+zip", "epub"},
    Named{"image/openraster", "ora"},
    Named{"application/x-krita", "kra"},
    Named{"application/vnd.sun.xml.writer", "sxw"},
    Named{"application/vnd.sun.xml.calc", "sxc"},
    Named{"application/vnd.sun.xml.impress", "sxi"},
};

// The main part's content type of each package, in lower case (the types are
// compared without regard to case).
constexpr std::array kMainContentTypes{
    Named{"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml", "docx"},
    Named{"application/vnd.ms-word.document.macroenabled.main+xml", "docm"},
    Named{"application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml", "dotx"},
    Named{"application/vnd.ms-word.template.macroenabledtemplate.main+xml", "dotm"},
    Named{"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml", "xlsx"},
    Named{"application/vnd.ms-excel.sheet.macroenabled.main+xml", "xlsm"},
    Named{"application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml", "xltx"},
    Named{"application/vnd.ms-excel.template.macroenabled.main+xml", "xltm"},
    Named{"application/vnd.ms-excel.sheet.binary.macroenabled.main", "xlsb"},
    Named{"application/vnd.ms-excel.addin.macroenabled.main+xml", "xlam"},
    Named{"application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml", "pptx"},
    Named{"application/vnd.ms-powerpoint.presentation.macroenabled.main+xml", "pptm"},
    Named{"application/vnd.openxmlformats-officedocument.presentationml.template.main+xml", "potx"},
    Named{"application/vnd.ms-powerpoint.template.macroenabled.main+xml", "potm"},
    Named{"application/vnd.openxmlformats-officedocument.presentationml.slideshow.main+xml", "ppsx"},
    Named{"application/vnd.ms-powerpoint.slideshow.macroenabled.main+xml", "ppsm"},
    Named{"application/vnd.ms-powerpoint.addin.macroenabled.main+xml", "ppam"},
    Named{"application/vnd.ms-visio.drawing.main+xml", "vsdx"},
    Named{"application/vnd.ms-visio.drawing.macroenabled.main+xml", "vsdm"},
    Named{"application/vnd.ms-visio.template.main+xml", "vstx"},
    Named{"application/vnd.ms-visio.template.macroenabled.main+xml", "vstm"},
    Named{"application/vnd.ms-visio.stencil.main+xml", "vssx"},
    Named{"application/vnd.ms-visio.stencil.macroenabled.main+xml", "vssm"},
    Named{"application/vnd.ms-package.xps-fixeddocumentsequence+xml", "xps"},
    Named{"application/vnd.ms-package.3dmanufacturing-3dmodel+xml", "3mf"},
};

InsideMember MemberOfMimetype(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
    for (const Named& named : kMimetypes) {
        if (text == named.text) return std::string(named.member);
    }
    return std::nullopt;
}

// The member whose main content type the text lists between quotes; nothing
// when it lists none, or the main types of two members.
InsideMember MemberOfContentTypes(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    InsideMember found;
    for (const Named& named : kMainContentTypes) {
        for (const char quote : {'"', '\''}) {
            const std::string quoted = quote + std::string(named.text) + quote;
            if (text.find(quoted) == std::string::npos) continue;
            if (found && *found != named.member) return std::nullopt;
            found = std::string(named.member);
        }
    }
    return found;
}

// The member the listing names, reading `mimetype` or `[Content_Types].xml`
// when it has them.
InsideMember MemberOfListing(ByteSource& file, const Window& tail, const Listing& listing, int64_t prepended) {
    if (listing.mimetype) {
        if (listing.mimetype->method != 0 || listing.mimetype->compressedSize > kMimetypeSize) return std::nullopt;
        const std::optional<std::string> text = MemberText(file, tail, *listing.mimetype, prepended, kMimetypeSize);
        if (!text || text->size() != listing.mimetype->compressedSize) return std::nullopt;
        return MemberOfMimetype(*text);
    }
    if (listing.contentTypes) {
        std::optional<std::string> text = MemberText(file, tail, *listing.contentTypes, prepended, kMemberTextSize);
        if (!text) return std::nullopt;
        if (InsideMember member = MemberOfContentTypes(std::move(*text))) return member;
    }
    if (InsideMember member = MemberOfMarks(listing.marks)) {
        if (listing.whole || NamedByPart(*member, listing.marks)) return member;
        return std::nullopt;
    }
    if (listing.whole && listing.marks == 0) return "zip";
    return std::nullopt;
}

bool HasZipMark(LeadingBytes lead) {
    return lead.size() >= 4 && (HasMark(lead.data(), 3, 4) || HasMark(lead.data(), 5, 6) || HasMark(lead.data(), 7, 8));
}

}  // namespace

InsideMember ZipMember(ByteSource& file, LeadingBytes lead) {
    if (!HasZipMark(lead)) return std::nullopt;
    const int64_t size = file.Size();
    if (size < kEndRecordSize) return std::nullopt;
    const int64_t tailSize = std::min(size, kTailSize);
    const std::optional<Window> tail = ReadWindow(file, size - tailSize, tailSize);
    if (!tail || tail->End() != size) return std::nullopt;

    // The last end record whose comment ends the file and whose directory
    // holds up; a record inside a comment must not win over the real one.
    // Records crafted to nest in each other's comments are tried only so often.
    int recordsTried = 0;
    std::optional<Window> directoryRead;
    for (int64_t at = tailSize - kEndRecordSize; at >= 0 && recordsTried < kEndRecordsTried; --at) {
        if (!HasMark(tail->bytes.data() + at, 5, 6)) continue;
        const std::optional<DirectoryPlace> place = PlaceNamedAt(*tail, at);
        if (!place) continue;
        ++recordsTried;
        std::span<const unsigned char> directory;
        if (tail->Holds(place->start, place->size)) {
            directory = tail->From(place->start, place->size);
        } else {
            // Only one directory is read from the file: a second would leave too little budget.
            if (directoryRead) return std::nullopt;
            directoryRead = ReadWindow(file, place->start, std::min(place->size, kDirectorySize));
            if (!directoryRead) return std::nullopt;
            directory = directoryRead->bytes;
        }
        if (place->size > 0 && (directory.size() < 4 || !HasMark(directory.data(), 1, 2))) continue;
        const bool complete = directory.size() == static_cast<size_t>(place->size);
        const std::optional<Listing> listing = WalkDirectory(directory, complete, *place);
        if (!listing) continue;
        return MemberOfListing(file, *tail, *listing, place->prepended);
    }
    return std::nullopt;
}
