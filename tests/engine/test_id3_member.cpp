// The ID3 reader: the audio each tagged file holds behind its tag, and nothing for damaged or other content.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) out += static_cast<char>(value);
    return out;
}

// An ID3v2 tag of `major` version whose frames and padding take `size` bytes.
std::string Tag(int major, uint32_t size, int flags = 0) {
    std::string tag = "ID3" + Bytes({major, 0, flags, static_cast<int>(size >> 21 & 0x7F),
                                     static_cast<int>(size >> 14 & 0x7F), static_cast<int>(size >> 7 & 0x7F),
                                     static_cast<int>(size & 0x7F)});
    tag += "TIT2";
    tag.resize(10 + size, '\0');
    if (flags & 0x10) tag += "3DI" + tag.substr(3, 7);
    return tag;
}

// `count` frames of `length` bytes, each starting with `header`.
std::string Frames(const std::string& header, size_t length, int count = 3) {
    std::string frame = header;
    frame.resize(length, '\x5A');
    std::string out;
    for (int i = 0; i < count; ++i) out += frame;
    return out;
}

// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, no padding: 417 bytes a frame.
const std::string kMp3 = Frames(Bytes({0xFF, 0xFB, 0x90, 0x64}), 417);
// MPEG-2 layer III, 64 kbit/s, 22.05 kHz, no padding: 208 bytes a frame.
const std::string kMpeg2Mp3 = Frames(Bytes({0xFF, 0xF3, 0x80, 0x44}), 208);
// ADTS AAC LC, 44.1 kHz, stereo, frames of 300 bytes.
const std::string kAac = Frames(Bytes({0xFF, 0xF1, 0x50, 0x80, 300 >> 3, (300 & 7) << 5 | 0x1F, 0xFC}), 300);
const std::string kFlac = "fLaC" + Bytes({0x80, 0, 0, 34}) + std::string(34, '\x11') + std::string(100, '\x22');

struct Case {
    std::string name;
    std::string bytes;
    InsideMember expected;
};

void PrintTo(const Case& shape, std::ostream* out) { *out << shape.name; }

std::vector<Case> Cases() {
    std::string sizeWithTopBit = Tag(3, 100) + kMp3;
    sizeWithTopBit[9] = static_cast<char>(0x80);
    std::string mismatchedSecondFrame = kMp3;
    mismatchedSecondFrame[417 + 2] = static_cast<char>(0x94);  // 48 kHz after 44.1 kHz
    return {
        {"Mp3AfterV3Tag", Tag(3, 2000) + kMp3, "mp3"},
        {"Mp3AfterV2Tag", Tag(2, 300) + kMp3, "mp3"},
        {"Mpeg2Mp3AfterV4Tag", Tag(4, 300) + kMpeg2Mp3, "mp3"},
        {"Mp3AfterV4TagWithFooter", Tag(4, 300, 0x10) + kMp3, "mp3"},
        {"Mp3AfterTagAndZeroPadding", Tag(3, 300) + std::string(3000, '\0') + kMp3, "mp3"},
        {"Mp3AfterTagBeyondTheFirstWindow", Tag(3, 200000) + kMp3, "mp3"},
        {"Mp3AfterThreeTags", Tag(3, 300) + Tag(4, 100) + Tag(3, 50) + kMp3, "mp3"},
        {"AacAfterTag", Tag(4, 500) + kAac, "aac"},
        {"FlacAfterTag", Tag(3, 500) + kFlac, "flac"},

        {"FourTagsInARow", Tag(3, 300) + Tag(3, 100) + Tag(3, 100) + Tag(3, 100) + kMp3, std::nullopt},
        {"SizeByteWithTopBit", sizeWithTopBit, std::nullopt},
        {"VersionFive", Tag(5, 300) + kMp3, std::nullopt},
        {"TagSizePastTheEnd", Tag(3, 300).substr(0, 10) + kMp3, std::nullopt},
        {"FooterFlagWithoutFooter", Tag(4, 300, 0x10).substr(0, 310) + kMp3, std::nullopt},
        {"OnlyZerosAfterTag", Tag(3, 300) + std::string(20000, '\0'), std::nullopt},
        {"WaveAfterTag", Tag(3, 300) + "RIFF" + Bytes({0x24, 0x10, 0, 0}) + "WAVEfmt " + std::string(500, '\1'),
         std::nullopt},
        {"OggAfterTag", Tag(3, 300) + "OggS" + std::string(500, '\0'), std::nullopt},
        {"FlacWithoutStreamInfo", Tag(3, 300) + "fLaC" + Bytes({0x84, 0, 0, 40}) + std::string(100, 'a'),
         std::nullopt},
        {"Mp3BitrateIndex15", Tag(3, 300) + Frames(Bytes({0xFF, 0xFB, 0xF0, 0x64}), 417), std::nullopt},
        {"Mp3FreeFormat", Tag(3, 300) + Frames(Bytes({0xFF, 0xFB, 0x00, 0x64}), 417), std::nullopt},
        {"Mp3SecondHeaderElsewhere", Tag(3, 300) + Frames(Bytes({0xFF, 0xFB, 0x90, 0x64}), 400), std::nullopt},
        {"Mp3SecondFrameOtherRate", Tag(3, 300) + mismatchedSecondFrame, std::nullopt},
        {"Layer2Frames", Tag(3, 300) + Frames(Bytes({0xFF, 0xFD, 0x90, 0x64}), 417), std::nullopt},
        {"AdtsReservedSamplingIndex", Tag(3, 300) + Frames(Bytes({0xFF, 0xF1, 0x74, 0x80, 37, 0x9F, 0xFC}), 300),
         std::nullopt},
        {"NotId3", "ID4" + (Tag(3, 300) + kMp3).substr(3), std::nullopt},
    };
}

class Id3MemberShapes : public ::testing::TestWithParam<Case> {};

TEST_P(Id3MemberShapes, NamesTheAudioOrNothing) {
    EXPECT_EQ(LookAs(Id3Member, GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Id3Member, Id3MemberShapes, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
