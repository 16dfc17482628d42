// Names the member of the Matroska family from the EBML header's document
// type and, for "matroska", from the kinds of tracks the Segment's Tracks
// element lists.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

#include "signature/inside/readers.h"

namespace {

constexpr uint32_t kEbmlHeaderId = 0x1A45DFA3;
constexpr uint32_t kDocTypeId = 0x4282;
constexpr uint32_t kVoidId = 0xEC;
constexpr uint32_t kCrc32Id = 0xBF;
constexpr uint32_t kSegmentId = 0x18538067;
constexpr uint32_t kSeekHeadId = 0x114D9B74;
constexpr uint32_t kSeekId = 0x4DBB;
constexpr uint32_t kSeekIdId = 0x53AB;
constexpr uint32_t kSeekPositionId = 0x53AC;
constexpr uint32_t kTracksId = 0x1654AE6B;
constexpr uint32_t kTrackEntryId = 0xAE;
constexpr uint32_t kTrackTypeId = 0x83;
constexpr uint32_t kClusterId = 0x1F43B675;

constexpr uint64_t kVideoTrack = 1;
constexpr uint64_t kAudioTrack = 2;
constexpr uint64_t kSubtitleTrack = 0x11;

// The header, the Segment's head and, in most files, its Tracks.
constexpr int64_t kFirstReadSize = 64 * 1024;
// Tracks elsewhere: large codec private data rarely passes this.
constexpr int64_t kTracksReadSize = 128 * 1024;

struct Element {
    uint32_t id = 0;
    size_t start = 0;      // of the element, in the bytes it was parsed from
    size_t dataStart = 0;  // of its data
    uint64_t size = 0;     // of its data, when known
    bool unknownSize = false;
};

// An element's id and size at `at`; nothing when they do not fit in `bytes`
// or are not valid variable-length numbers.
std::optional<Element> ElementAt(std::span<const unsigned char> bytes, size_t at) {
    if (at >= bytes.size()) return std::nullopt;
    const unsigned char first = bytes[at];
    const int idLength = std::countl_zero(first) + 1;  // ids keep their length marker
    if (first == 0 || idLength > 4 || bytes.size() - at < static_cast<size_t>(idLength)) return std::nullopt;
    Element element;
    element.start = at;
    for (int i = 0; i < idLength; ++i) element.id = element.id << 8 | bytes[at + i];
    at += static_cast<size_t>(idLength);

    if (at >= bytes.size() || bytes[at] == 0) return std::nullopt;
    const int sizeLength = std::countl_zero(bytes[at]) + 1;
    if (bytes.size() - at < static_cast<size_t>(sizeLength)) return std::nullopt;
    uint64_t size = bytes[at] & (0xFFu >> sizeLength);
    bool allOnes = size == (0xFFu >> sizeLength);
    for (int i = 1; i < sizeLength; ++i) {
        size = size << 8 | bytes[at + i];
        allOnes = allOnes && bytes[at + i] == 0xFF;
    }
    element.unknownSize = allOnes;
    element.size = size;
    element.dataStart = at + static_cast<size_t>(sizeLength);
    return element;
}

// True when the element has a known size and its data lies within `end`.
bool EndsWithin(const Element& element, size_t end) {
    return !element.unknownSize && element.dataStart <= end && element.size <= end - element.dataStart;
}

size_t DataEnd(const Element& element) { return element.dataStart + static_cast<size_t>(element.size); }

uint64_t UnsignedValue(std::span<const unsigned char> bytes, const Element& element) {
    uint64_t value = 0;
    for (size_t i = element.dataStart; i < DataEnd(element); ++i) value = value << 8 | bytes[i];
    return value;
}

// The document type named in the EBML header at the start of `bytes`.
std::optional<std::string_view> DocType(std::span<const unsigned char> bytes, size_t& headerEnd) {
    const std::optional<Element> header = ElementAt(bytes, 0);
    if (!header || header->id != kEbmlHeaderId || !EndsWithin(*header, bytes.size())) return std::nullopt;
    headerEnd = DataEnd(*header);
    std::optional<std::string_view> docType;
    for (size_t at = header->dataStart; at < headerEnd;) {
        const std::optional<Element> child = ElementAt(bytes.first(headerEnd), at);
        if (!child || !EndsWithin(*child, headerEnd)) return std::nullopt;
        if (child->id == kDocTypeId && !docType) {
            std::string_view text(reinterpret_cast<const char*>(bytes.data() + child->dataStart),
                                  static_cast<size_t>(child->size));
            docType = text.substr(0, text.find('\0'));  // strings may be padded with zeros
        }
        at = DataEnd(*child);
    }
    return docType;
}

// The position of the Tracks element a SeekHead lists, relative to the Segment's data.
std::optional<uint64_t> TracksSeekPosition(std::span<const unsigned char> bytes, const Element& seekHead) {
    const size_t end = DataEnd(seekHead);
    for (size_t at = seekHead.dataStart; at < end;) {
        const std::optional<Element> seek = ElementAt(bytes.first(end), at);
        if (!seek || !EndsWithin(*seek, end)) return std::nullopt;
        at = DataEnd(*seek);
        if (seek->id != kSeekId) continue;
        bool namesTracks = false;
        std::optional<uint64_t> position;
        for (size_t inner = seek->dataStart; inner < at;) {
            const std::optional<Element> field = ElementAt(bytes.first(at), inner);
            if (!field || !EndsWithin(*field, at)) return std::nullopt;
            if (field->id == kSeekIdId && field->size == 4) namesTracks = UnsignedValue(bytes, *field) == kTracksId;
            if (field->id == kSeekPositionId && field->size <= 8) position = UnsignedValue(bytes, *field);
            inner = DataEnd(*field);
        }
        if (namesTracks && position) return position;
    }
    return std::nullopt;
}

// The member the track kinds name. `bytes` starts with the Tracks element and
// may end before it does: then only a video track already seen is certain.
InsideMember MemberFromTracks(std::span<const unsigned char> bytes) {
    const std::optional<Element> tracks = ElementAt(bytes, 0);
    if (!tracks || tracks->id != kTracksId || tracks->unknownSize) return std::nullopt;
    const bool whole = EndsWithin(*tracks, bytes.size());
    const size_t end = whole ? DataEnd(*tracks) : bytes.size();
    bool video = false, audio = false, subtitle = false, other = false, cutShort = false;
    for (size_t at = tracks->dataStart; at < end && !cutShort;) {
        const std::optional<Element> entry = ElementAt(bytes.first(end), at);
        if (!entry || entry->unknownSize) {
            if (whole) return std::nullopt;
            cutShort = true;
            break;
        }
        const bool entryWhole = EndsWithin(*entry, end);
        if (!entryWhole && whole) return std::nullopt;
        const size_t entryEnd = entryWhole ? DataEnd(*entry) : end;
        at = entryEnd;
        if (entry->id != kTrackEntryId) continue;
        std::optional<uint64_t> type;
        for (size_t inner = entry->dataStart; inner < entryEnd;) {
            const std::optional<Element> field = ElementAt(bytes.first(entryEnd), inner);
            if (!field || !EndsWithin(*field, entryEnd)) {
                if (entryWhole) return std::nullopt;
                break;
            }
            if (field->id == kTrackTypeId && field->size <= 8) type = UnsignedValue(bytes, *field);
            inner = DataEnd(*field);
        }
        if (!type) {
            if (entryWhole) return std::nullopt;  // a track must say its type
            cutShort = true;
            break;
        }
        video = video || *type == kVideoTrack;
        audio = audio || *type == kAudioTrack;
        subtitle = subtitle || *type == kSubtitleTrack;
        other = other || (*type != kVideoTrack && *type != kAudioTrack && *type != kSubtitleTrack);
        if (!entryWhole) cutShort = true;
    }
    if (video) return "mkv";
    // Entries past the end of what was read may hold any kind.
    if (cutShort || !whole || other) return std::nullopt;
    if (audio && !subtitle) return "mka";
    if (subtitle && !audio) return "mks";
    return std::nullopt;
}

InsideMember MemberFromTracksAt(ByteSource& file, int64_t offset) {
    std::vector<unsigned char> bytes(static_cast<size_t>(kTracksReadSize));
    const int64_t got = file.Read(offset, bytes);
    if (got <= 0) return std::nullopt;
    bytes.resize(static_cast<size_t>(got));
    return MemberFromTracks(bytes);
}

}  // namespace

InsideMember MatroskaMember(ByteSource& file, LeadingBytes lead) {
    if (lead.size() < 4 || lead[0] != 0x1A || lead[1] != 0x45 || lead[2] != 0xDF || lead[3] != 0xA3) {
        return std::nullopt;
    }
    const int64_t fileSize = file.Size();
    std::vector<unsigned char> bytes(
        static_cast<size_t>(fileSize >= 0 ? std::min(fileSize, kFirstReadSize) : kFirstReadSize));
    const int64_t got = file.Read(0, bytes);
    if (got <= 0) return std::nullopt;
    bytes.resize(static_cast<size_t>(got));
    const std::span<const unsigned char> read(bytes);

    size_t at = 0;
    const std::optional<std::string_view> docType = DocType(read, at);
    if (docType == "webm") return "webm";
    if (docType != "matroska") return std::nullopt;

    // Void or CRC elements may stand between the header and the Segment.
    std::optional<Element> segment = ElementAt(read, at);
    while (segment && (segment->id == kVoidId || segment->id == kCrc32Id) && EndsWithin(*segment, read.size())) {
        segment = ElementAt(read, DataEnd(*segment));
    }
    if (!segment || segment->id != kSegmentId) return std::nullopt;
    const uint64_t dataStart = segment->dataStart;
    const uint64_t limit = fileSize >= 0 ? static_cast<uint64_t>(fileSize) : static_cast<uint64_t>(INT64_MAX);
    // A Segment of known size ending past the file is damaged or cut short.
    if (dataStart > limit || (!segment->unknownSize && segment->size > limit - dataStart)) return std::nullopt;
    const bool segmentRead = EndsWithin(*segment, read.size());
    const size_t walkEnd = segmentRead ? DataEnd(*segment) : read.size();

    // The Segment's top-level children within what was read, up to the first
    // Cluster: Tracks precedes the media in nearly every file.
    std::optional<uint64_t> seekPosition;
    for (size_t child = segment->dataStart; child < walkEnd;) {
        const std::optional<Element> element = ElementAt(read.first(walkEnd), child);
        if (!element || element->id == kClusterId || element->unknownSize) break;
        if (element->id == kTracksId) {
            if (EndsWithin(*element, walkEnd)) return MemberFromTracks(read.subspan(element->start));
            if (segmentRead) return std::nullopt;
            return MemberFromTracksAt(file, static_cast<int64_t>(element->start));
        }
        if (!EndsWithin(*element, walkEnd)) {
            if (segmentRead) return std::nullopt;  // a child passing its Segment's end
            break;
        }
        if (element->id == kSeekHeadId && !seekPosition) seekPosition = TracksSeekPosition(read, *element);
        child = DataEnd(*element);
    }
    if (!seekPosition || (!segment->unknownSize && *seekPosition >= segment->size)) return std::nullopt;
    if (dataStart >= limit || *seekPosition >= limit - dataStart) return std::nullopt;
    return MemberFromTracksAt(file, static_cast<int64_t>(dataStart + *seekPosition));
}
