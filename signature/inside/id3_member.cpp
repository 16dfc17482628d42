// Names the audio behind an ID3v2 tag: the tag says its own size, so the
// first bytes after it show whether FLAC, ADTS AAC or MPEG layer III follows.
#include <cstdint>
#include <vector>

#include "signature/inside/readers.h"

namespace {

constexpr int64_t kTagHeaderSize = 10;
constexpr int64_t kFooterSize = 10;
constexpr unsigned char kFooterFlag = 0x10;
// The audio's first frame and the header of the next one, after some padding.
constexpr int64_t kWindowSize = 8 * 1024;
// Keep this much after the first audio byte, or read again from there.
constexpr int64_t kJudgeSize = 4 * 1024;
// The first tag and at most two more written right behind it.
constexpr int kMaxTags = 3;

// Where the audio behind a tag header at `p` starts, relative to the header; nothing when the header is not valid.
std::optional<int64_t> TagLength(const unsigned char* p) {
    if (p[0] != 'I' || p[1] != 'D' || p[2] != '3') return std::nullopt;
    const unsigned char major = p[3];
    if (major < 2 || major > 4 || p[4] == 0xFF) return std::nullopt;
    int64_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (p[i] >= 0x80) return std::nullopt;  // a synchsafe number keeps each top bit clear
        size = size << 7 | p[i];
    }
    const bool footer = major == 4 && (p[5] & kFooterFlag) != 0;
    return kTagHeaderSize + size + (footer ? kFooterSize : 0);
}

// Bytes read from the file, with the offset they were read from.
struct Window {
    int64_t start = 0;
    std::vector<unsigned char> bytes;
    bool reachedEnd = false;  // the read came back short: the file ends within

    int64_t End() const { return start + static_cast<int64_t>(bytes.size()); }
    bool Holds(int64_t offset, int64_t length) const { return offset >= start && length <= End() - offset; }
    const unsigned char* At(int64_t offset) const { return bytes.data() + (offset - start); }
};

bool Load(ByteSource& file, int64_t offset, Window& window) {
    window.start = offset;
    window.bytes.assign(static_cast<size_t>(kWindowSize), 0);
    const int64_t got = file.Read(offset, window.bytes);
    if (got <= 0) return false;
    window.bytes.resize(static_cast<size_t>(got));
    window.reachedEnd = got < kWindowSize;
    return true;
}

bool IsFlac(const unsigned char* p, int64_t available) {
    if (available < 8 || p[0] != 'f' || p[1] != 'L' || p[2] != 'a' || p[3] != 'C') return false;
    // The first metadata block is STREAMINFO, always 34 bytes long.
    return (p[4] & 0x7F) == 0 && p[5] == 0 && p[6] == 0 && p[7] == 34;
}

// An ADTS header's frame length, when `p` holds a valid one.
std::optional<int64_t> AdtsFrameLength(const unsigned char* p) {
    if (p[0] != 0xFF || (p[1] & 0xF6) != 0xF0) return std::nullopt;  // 12 sync bits, layer 00
    if (((p[2] >> 2) & 0x0F) > 12) return std::nullopt;            // reserved sampling frequencies
    const int64_t length = (p[3] & 0x03) << 11 | p[4] << 3 | p[5] >> 5;
    const int64_t headerLength = (p[1] & 0x01) != 0 ? 7 : 9;  // 9 with a CRC
    if (length < headerLength) return std::nullopt;
    return length;
}

// An MPEG layer III frame header's frame length, when `p` holds a valid one.
std::optional<int64_t> Layer3FrameLength(const unsigned char* p) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return std::nullopt;
    const int version = (p[1] >> 3) & 0x03;  // 0: MPEG 2.5, 1: reserved, 2: MPEG 2, 3: MPEG 1
    const int layer = (p[1] >> 1) & 0x03;    // 1: layer III
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 0x03;
    if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) return std::nullopt;
    if ((p[3] & 0x03) == 2) return std::nullopt;  // reserved emphasis
    static constexpr int kMpeg1Kbps[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static constexpr int kMpeg2Kbps[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static constexpr int kMpeg1Rates[3] = {44100, 48000, 32000};
    const bool mpeg1 = version == 3;
    const int64_t kbps = mpeg1 ? kMpeg1Kbps[bitrateIndex] : kMpeg2Kbps[bitrateIndex];
    const int64_t rate = kMpeg1Rates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int64_t padding = (p[2] >> 1) & 0x01;
    return (mpeg1 ? 144000 : 72000) * kbps / rate + padding;
}

// Both headers agree on the fields that stay fixed in a stream (sync, version, layer, sampling rate, ...).
bool SameStream(const unsigned char* first, const unsigned char* next, unsigned char mask1, unsigned char mask2) {
    return next[0] == first[0] && (next[1] & mask1) == (first[1] & mask1) && (next[2] & mask2) == (first[2] & mask2);
}

// A frame at `at` whose successor, when the window holds it, agrees with it.
template <typename FrameLength>
bool FramesFollow(const Window& window, int64_t at, FrameLength frameLength, unsigned char mask1,
                  unsigned char mask2) {
    if (!window.Holds(at, 6)) return false;
    const std::optional<int64_t> length = frameLength(window.At(at));
    if (!length) return false;
    const int64_t next = at + *length;
    if (!window.Holds(next, 6)) return true;  // a frame the window cannot see past
    return frameLength(window.At(next)) && SameStream(window.At(at), window.At(next), mask1, mask2);
}

InsideMember JudgeAudio(const Window& window, int64_t at) {
    if (IsFlac(window.At(at), window.End() - at)) return "flac";
    if (FramesFollow(window, at, AdtsFrameLength, 0xFE, 0xFC)) return "aac";
    if (FramesFollow(window, at, Layer3FrameLength, 0xFE, 0x0C)) return "mp3";
    return std::nullopt;
}

}  // namespace

InsideMember Id3Member(ByteSource& file, LeadingBytes lead) {
    if (lead.size() < kTagHeaderSize) return std::nullopt;
    std::optional<int64_t> tagLength = TagLength(lead.data());
    if (!tagLength) return std::nullopt;
    const int64_t fileSize = file.Size();
    int64_t at = *tagLength;
    Window window;
    for (int tags = 1;; ++tags) {
        if (fileSize >= 0 && at >= fileSize) return std::nullopt;  // a tag claiming more than the file holds
        if (!window.Holds(at, 1) && !Load(file, at, window)) return std::nullopt;
        // Some writers leave zero padding behind the tag's stated size.
        while (window.Holds(at, 1) && *window.At(at) == 0) ++at;
        if (!window.Holds(at, 1)) return std::nullopt;
        if (!window.Holds(at, kJudgeSize) && !window.reachedEnd) {
            if (!Load(file, at, window)) return std::nullopt;
        }
        tagLength = window.Holds(at, kTagHeaderSize) ? TagLength(window.At(at)) : std::nullopt;
        if (!tagLength) return JudgeAudio(window, at);
        if (tags == kMaxTags) return std::nullopt;
        at += *tagLength;
    }
}
