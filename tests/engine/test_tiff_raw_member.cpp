// The TIFF raw reader: the raw each first directory names, and nothing for plain TIFFs or damaged ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "signature/inside/readers.h"
#include "reader_test_support.h"

namespace {

constexpr uint16_t kAscii = 2, kShort = 3, kLong = 4, kByte = 1;

struct Field {
    uint16_t tag;
    uint16_t type;
    std::vector<uint32_t> values;  // numbers, or the bytes of a BYTE field
    std::string text;              // an ASCII field's text, without its final zero
};

Field Text(uint16_t tag, const std::string& text) { return {tag, kAscii, {}, text}; }
Field Short(uint16_t tag, uint32_t value) { return {tag, kShort, {value}, ""}; }
Field Long(uint16_t tag, uint32_t value) { return {tag, kLong, {value}, ""}; }
Field Bytes(uint16_t tag, std::vector<uint32_t> values) { return {tag, kByte, std::move(values), ""}; }

Field Make(const std::string& make) { return Text(0x010F, make); }
Field Model(const std::string& model) { return Text(0x0110, model); }
const Field kReducedResolution = Long(0x00FE, 1);
const Field kSubIfds = Long(0x014A, 4096);
const Field kCfaPhotometric = Short(0x0106, 32803);
const Field kRgbPhotometric = Short(0x0106, 2);

struct Layout {
    bool bigEndian = false;
    uint32_t ifdAt = 8;
    std::optional<uint32_t> headerIfdOffset;  // what the header claims, when not `ifdAt`
    std::optional<uint16_t> count;              // what the directory claims, when not its entry count
    std::optional<uint32_t> textOffset;         // where out-of-line values are claimed to be
};

Layout BigEndian() {
    Layout layout;
    layout.bigEndian = true;
    return layout;
}
Layout DirectoryAt(uint32_t offset) {
    Layout layout;
    layout.ifdAt = offset;
    return layout;
}
Layout HeaderClaimingDirectoryAt(uint32_t offset) {
    Layout layout;
    layout.headerIfdOffset = offset;
    return layout;
}
Layout DirectoryClaimingEntries(uint16_t count) {
    Layout layout;
    layout.count = count;
    return layout;
}
Layout TextsClaimedAt(uint32_t offset) {
    Layout layout;
    layout.textOffset = offset;
    return layout;
}

// A TIFF with one directory of `fields` (sorted by the caller) and its out-of-line values behind it.
std::string Tiff(const std::vector<Field>& fields, const Layout& layout = {}) {
    const bool big = layout.bigEndian;
    const auto u16 = [big](uint32_t v) {
        const char a = static_cast<char>(v & 0xFF), b = static_cast<char>(v >> 8 & 0xFF);
        return big ? std::string{b, a} : std::string{a, b};
    };
    const auto u32 = [&](uint32_t v) { return big ? u16(v >> 16) + u16(v & 0xFFFF) : u16(v & 0xFFFF) + u16(v >> 16); };
    std::string file = big ? std::string("MM\0*", 4) : std::string("II*\0", 4);
    file += u32(layout.headerIfdOffset.value_or(layout.ifdAt));
    file.resize(layout.ifdAt, '\0');
    file += u16(layout.count.value_or(static_cast<uint16_t>(fields.size())));
    uint32_t dataAt = layout.ifdAt + 2 + 12 * static_cast<uint32_t>(fields.size()) + 4;
    std::string data;
    for (const Field& field : fields) {
        std::string value;
        if (field.type == kAscii) value = field.text + '\0';
        for (uint32_t number : field.values) {
            if (field.type == kShort) value += u16(number);
            if (field.type == kLong) value += u32(number);
            if (field.type == kByte) value += static_cast<char>(number);
        }
        const uint32_t count = field.type == kAscii ? static_cast<uint32_t>(value.size())
                               : field.type == kByte ? static_cast<uint32_t>(value.size())
                                                     : static_cast<uint32_t>(field.values.size());
        file += u16(field.tag) + u16(field.type) + u32(count);
        if (value.size() <= 4) {
            file += value + std::string(4 - value.size(), '\0');
        } else {
            file += u32(layout.textOffset.value_or(dataAt + static_cast<uint32_t>(data.size())));
            data += value;
        }
    }
    return file + u32(0) + data;
}

struct Case {
    std::string name;
    std::string bytes;
    InsideMember expected;
};

void PrintTo(const Case& shape, std::ostream* out) { *out << shape.name; }

std::vector<Case> Cases() {
    const std::vector<Field> nef = {kReducedResolution, Make("NIKON CORPORATION"), Model("NIKON D850"), kSubIfds};
    return {
        {"DngVersion", Tiff({Make("Canon"), Bytes(0xC612, {1, 4, 0, 0})}), "dng"},
        {"NikonThumbnailWithSubIfds", Tiff(nef), "nef"},
        {"NikonBigEndian", Tiff(nef, BigEndian()), "nef"},
        {"DirectoryAndTextsPastTheFirstRead", Tiff(nef, DirectoryAt(100000)), "nef"},
        {"SonySubIfds", Tiff({Make("SONY"), Model("ILCE-7M3"), kSubIfds}), "arw"},
        {"PentaxColourFilterArray", Tiff({kCfaPhotometric, Make("PENTAX Corporation")}), "pef"},
        {"RicohColourFilterArray", Tiff({kCfaPhotometric, Make("RICOH IMAGING COMPANY, LTD.")}), "pef"},
        {"SamsungCfaPatternTags", Tiff({Make("SAMSUNG"), Short(0x828D, 2)}), "srw"},
        {"HasselbladLinearRaw", Tiff({Short(0x0106, 34892), Make("Hasselblad")}), "3fr"},
        {"LeafThumbnail", Tiff({kReducedResolution, Make("Leaf")}), "mos"},
        {"PhaseOneSubIfds", Tiff({Make("Phase One"), kSubIfds}), "iiq"},
        {"KodakThumbnail", Tiff({kReducedResolution, Make("Kodak")}), "dcr"},
        {"EpsonSubIfds", Tiff({Make("SEIKO EPSON CORP."), kSubIfds}), "erf"},
        {"MamiyaColourFilterArray", Tiff({kCfaPhotometric, Make("Mamiya-OP Co.,Ltd.")}), "mef"},

        {"PlainTiffWithCameraMake", Tiff({kRgbPhotometric, Make("NIKON CORPORATION"), Model("NIKON D850")}),
         std::nullopt},
        {"PlainTiffWithScannerMake", Tiff({kRgbPhotometric, Make("SEIKO EPSON CORP.")}), std::nullopt},
        {"NikonCoolpixNefOrNrw", Tiff({kReducedResolution, Make("NIKON"), Model("COOLPIX P7000"), kSubIfds}),
         std::nullopt},
        {"SonyBeforeArw", Tiff({Make("SONY"), Model("DSC-R1"), kSubIfds}), std::nullopt},
        {"CanonRawSigns", Tiff({kReducedResolution, Make("Canon"), kSubIfds}), std::nullopt},
        {"RawSignsWithoutMake", Tiff({kReducedResolution, kSubIfds}), std::nullopt},
        {"UnknownMaker", Tiff({kCfaPhotometric, Make("Acme Optics")}), std::nullopt},
        {"IfdOffsetPastTheEnd", Tiff(nef, HeaderClaimingDirectoryAt(0x7FFFFF00)), std::nullopt},
        {"IfdOffsetInsideHeader", Tiff(nef, HeaderClaimingDirectoryAt(4)), std::nullopt},
        {"EntryCountHuge", Tiff(nef, DirectoryClaimingEntries(0xFFFF)), std::nullopt},
        {"EntriesPastTheEnd", Tiff(nef, DirectoryClaimingEntries(40)).substr(0, 200), std::nullopt},
        {"MakePastTheEnd", Tiff(nef, TextsClaimedAt(0x7FFFFF00)), std::nullopt},
        {"NotTiff", std::string("II+\0", 4) + Tiff(nef).substr(4), std::nullopt},
    };
}

class TiffRawMemberShapes : public ::testing::TestWithParam<Case> {};

TEST_P(TiffRawMemberShapes, NamesTheRawOrNothing) {
    EXPECT_EQ(LookAs(TiffRawMember, GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(TiffRawMember, TiffRawMemberShapes, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
