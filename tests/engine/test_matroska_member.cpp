// The Matroska reader: the member each EBML layout names, and nothing for damaged or unclear ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

std::string Id(uint32_t id) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if ((id >> shift) != 0) out += static_cast<char>(id >> shift & 0xFF);
    }
    return out;
}

// A size as an EBML variable-length number of `length` bytes (the shortest when 0).
std::string Size(uint64_t size, int length = 0) {
    if (length == 0) {
        length = 1;
        while (size >= (uint64_t{1} << (7 * length)) - 1) ++length;
    }
    const uint64_t marked = size | uint64_t{1} << (7 * length);
    std::string out;
    for (int i = length - 1; i >= 0; --i) out += static_cast<char>(marked >> (8 * i) & 0xFF);
    return out;
}

constexpr const char* kUnknownSize = "\x01\xFF\xFF\xFF\xFF\xFF\xFF\xFF";

std::string Element(uint32_t id, const std::string& data) { return Id(id) + Size(data.size()) + data; }
std::string Number(uint32_t id, uint64_t value) { return Element(id, std::string(1, static_cast<char>(value))); }

std::string Header(const std::string& docType, const std::string& before = "") {
    return Element(0x1A45DFA3, before + Number(0x4286, 1) + Element(0x4282, docType) + Number(0x4287, 4));
}
std::string Void(size_t size) { return Element(0xEC, std::string(size, '\0')); }
std::string Info() { return Element(0x1549A966, Element(0x4D80, "builder")); }
std::string Track(uint64_t type, const std::string& codecPrivate = "") {
    return Element(0xAE, Number(0xD7, 1) + Number(0x83, type) + Element(0x86, "X_CODEC") +
                             (codecPrivate.empty() ? "" : Element(0x63A2, codecPrivate)));
}
std::string Tracks(std::initializer_list<uint64_t> types) {
    std::string entries;
    for (uint64_t type : types) entries += Track(type);
    return Element(0x1654AE6B, entries);
}
std::string Cluster(size_t size) { return Element(0x1F43B675, std::string(size, '\x55')); }
// A SeekHead naming `id` at `position`, always the same length.
std::string SeekHead(uint32_t id, uint32_t position) {
    const std::string where{static_cast<char>(position >> 24), static_cast<char>(position >> 16),
                            static_cast<char>(position >> 8), static_cast<char>(position)};
    return Element(0x114D9B74, Element(0x4DBB, Element(0x53AB, Id(id)) + Element(0x53AC, where)));
}
std::string Segment(const std::string& body) { return Element(0x18538067, body); }

constexpr uint64_t kVideo = 1, kAudio = 2, kSubtitle = 0x11, kButtons = 0x12;

// Tracks after a large Cluster, found through the SeekHead at `position` (or where it really is).
std::string SeekingFile(std::optional<uint32_t> position, uint32_t seekedId = 0x1654AE6B) {
    const std::string cluster = Cluster(100 * 1024);
    const uint32_t tracksAt = static_cast<uint32_t>(SeekHead(seekedId, 0).size() + Info().size() + cluster.size());
    return Header("matroska") + Segment(SeekHead(seekedId, position.value_or(tracksAt)) + Info() + cluster +
                                        Tracks({kVideo, kAudio}));
}

struct Case {
    std::string name;
    std::string bytes;
    InsideMember expected;
};

void PrintTo(const Case& shape, std::ostream* out) { *out << shape.name; }

std::vector<Case> Cases() {
    const std::string audioOnly = Header("matroska") + Segment(Info() + Tracks({kAudio}));
    const std::string hugeCodecPrivate(200 * 1024, 'p');
    return {
        {"WebmDocType", Header("webm") + Segment(Info() + Tracks({kAudio})), "webm"},
        {"VideoAndAudio", Header("matroska") + Segment(Info() + Tracks({kAudio, kVideo, kSubtitle})), "mkv"},
        {"AudioOnly", audioOnly, "mka"},
        {"SubtitlesOnly", Header("matroska") + Segment(Tracks({kSubtitle, kSubtitle})), "mks"},
        {"DocTypePaddedWithZeros", Header(std::string("matroska\0\0", 10)) + Segment(Tracks({kAudio})), "mka"},
        {"DocTypePastByte64", Header("matroska", Void(100)) + Void(10) + Segment(Tracks({kAudio})), "mka"},
        {"UnknownSizeSegmentAndCluster",
         Header("matroska") + Id(0x18538067) + kUnknownSize + Tracks({kVideo}) + Id(0x1F43B675) + kUnknownSize,
         "mkv"},
        {"TracksAfterClusterThroughSeekHead", SeekingFile(std::nullopt), "mkv"},
        {"TracksLongerThanTheFirstReadWithVideo",
         Header("matroska") + Segment(Element(0x1654AE6B, Track(kAudio) + Track(kVideo, hugeCodecPrivate))), "mkv"},

        {"AudioAndSubtitles", Header("matroska") + Segment(Tracks({kAudio, kSubtitle})), std::nullopt},
        {"AudioAndButtons", Header("matroska") + Segment(Tracks({kAudio, kButtons})), std::nullopt},
        {"NoTrackEntries", Header("matroska") + Segment(Element(0x1654AE6B, "")), std::nullopt},
        {"TrackWithoutType", Header("matroska") + Segment(Element(0x1654AE6B, Element(0xAE, Number(0xD7, 1)))),
         std::nullopt},
        {"TracksLongerThanTheFirstReadWithoutVideo",
         Header("matroska") + Segment(Element(0x1654AE6B, Track(kAudio) + Track(kAudio, hugeCodecPrivate))),
         std::nullopt},
        {"OtherDocType", Header("matroskax") + Segment(Tracks({kAudio})), std::nullopt},
        {"NoDocType", Element(0x1A45DFA3, Number(0x4286, 1)) + Segment(Tracks({kAudio})), std::nullopt},
        {"TracksAfterClusterWithoutSeekHead",
         Header("matroska") + Segment(Info() + Cluster(100) + Tracks({kAudio})), std::nullopt},
        {"SeekPositionPastTheEnd", SeekingFile(0x7FFFFFF0), std::nullopt},
        {"SeekPositionOnTheCluster", SeekingFile(SeekHead(0, 0).size() + Info().size()), std::nullopt},
        {"SeekHeadNamingAnotherElement", SeekingFile(std::nullopt, 0x1254C367), std::nullopt},
        {"HeaderSizeClaimingPetabytes", Id(0x1A45DFA3) + Size(uint64_t{1} << 50, 8) + audioOnly.substr(5),
         std::nullopt},
        {"SegmentSizeClaimingPetabytes",
         Header("matroska") + Id(0x18538067) + Size(uint64_t{1} << 50, 8) + Tracks({kAudio}), std::nullopt},
        {"TrackEntryPassingTracksEnd",
         Header("matroska") + Segment(Id(0x1654AE6B) + Size(3) + Track(kAudio)), std::nullopt},
        {"CutShortInsideTracks", audioOnly.substr(0, audioOnly.size() - 3), std::nullopt},
        {"SizeWithZeroLeadingByte", Header("matroska") + Id(0x18538067) + std::string(1, '\0') + Tracks({kAudio}),
         std::nullopt},
        {"NotEbml", "\x1A\x45\xDF\xA4" + audioOnly.substr(4), std::nullopt},
    };
}

class MatroskaMemberShapes : public ::testing::TestWithParam<Case> {};

TEST_P(MatroskaMemberShapes, NamesTheMemberOrNothing) {
    EXPECT_EQ(LookAs(MatroskaMember, GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(MatroskaMember, MatroskaMemberShapes, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
