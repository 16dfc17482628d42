#include <gtest/gtest.h>

#include "filelist/file_list.h"
#include "signature/matcher.h"
#include "test_support.h"

using testsupport::kHeader;
using testsupport::LoadTable;

namespace {

const std::string kTable = kHeader +
    "; specific before general\n"
    "0,504B0304140000000800,0,,Special ZIP,spz\n"
    "0,504B0304,0,,ZIP archive,zip\n"
    "0,504B0304,0,,ZIP archive,docx\n"
    "0,504B0304,0,,ZIP archive,jar\n"
    "0,FFD8FF,0,,JPEG image,jpg\n"
    "0,FFD8FF,0,,JPEG image,jpeg\n"
    "0,7F454C46,0,,ELF file,elf\n"
    "0,7F454C46,0,,ELF file,so\n"
    "0,7F454C46,0,,ELF file,\n"
    "8,57415645,0,,WAVE audio,wav\n"
    "-1,41,0,,Never,nev\n"
    "0,FFD8,0,,Shorter JPEG,sjpg\n";

struct MatchCase {
    const char* name;
    std::string bytes;
    std::string extension;
    int32_t status;
    std::string expectedExtension;  // of the deciding entry; empty when none fits
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.name; }

class Classify : public ::testing::TestWithParam<MatchCase> {
protected:
    void SetUp() override { ASSERT_EQ(LoadTable(kTable), std::nullopt); }
};

TEST_P(Classify, GivesTheVerdictOfTheFirstFittingEntry) {
    const MatchCase& c = GetParam();
    const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
    const MatchResult result = ClassifyLeadingBytes(bytes, static_cast<int>(c.bytes.size()), c.extension);
    EXPECT_EQ(result.status, c.status);
    if (c.expectedExtension.empty()) {
        EXPECT_EQ(result.entryIndex, -1);
    } else {
        ASSERT_GE(result.entryIndex, 0);
        EXPECT_EQ(std::string(FileIdTable[result.entryIndex].extension), c.expectedExtension);
    }
}

const std::string kWave = std::string("RIFF\x24\0\0\0WAVEfmt ", 16);

INSTANTIATE_TEST_SUITE_P(
    Cases, Classify,
    ::testing::Values(
        MatchCase{"RightExtension", "\xFF\xD8\xFF\xE0", ".jpg", STATUS_MATCH, "jpg"},
        MatchCase{"OtherCapitals", "\xFF\xD8\xFF\xE0", ".JPG", STATUS_MATCH, "jpg"},
        MatchCase{"AlternativeExtension", "\xFF\xD8\xFF\xE0", ".jpeg", STATUS_MATCH, "jpg"},
        MatchCase{"AlternativeInCapitals", "\xFF\xD8\xFF\xE0", ".JPEG", STATUS_MATCH, "jpg"},
        MatchCase{"WrongExtension", "\xFF\xD8\xFF\xE0", ".gif", STATUS_MISMATCH, "jpg"},
        MatchCase{"NoExtension", "\xFF\xD8\xFF\xE0", "", STATUS_MISMATCH, "jpg"},
        MatchCase{"EmptyAlternativeAcceptsNoExtension", "\x7F" "ELF\x02\x01", "", STATUS_MATCH, "elf"},
        MatchCase{"LibraryExtension", "\x7F" "ELF\x02\x01", ".so", STATUS_MATCH, "elf"},
        MatchCase{"ElfWithForeignExtension", "\x7F" "ELF\x02\x01", ".png", STATUS_MISMATCH, "elf"},
        MatchCase{"SpecificBeforeGeneral", std::string("PK\x03\x04\x14\0\0\0\x08\0", 10), ".zip", STATUS_MISMATCH, "spz"},
        MatchCase{"FamilyMember", std::string("PK\x03\x04\x0A\0", 6), ".docx", STATUS_MATCH, "zip"},
        MatchCase{"NonAsciiCaseIsExact", "\xFF\xD8\xFF", ".JPG\xC3\xA9", STATUS_MISMATCH, "jpg"},
        MatchCase{"OffsetPatternInside", kWave, ".wav", STATUS_MATCH, "wav"},
        // Ten bytes never fit a pattern that needs byte 10 or beyond.
        MatchCase{"PatternPastTheBytesRead", kWave.substr(0, 10), ".wav", STATUS_UNKNOWN, ""},
        MatchCase{"TooShortForAnyPattern", "\xFF", ".jpg", STATUS_UNKNOWN, ""},
        MatchCase{"ZeroBytes", "", ".jpg", STATUS_UNKNOWN, ""},
        MatchCase{"NothingFits", "plain text", ".txt", STATUS_UNKNOWN, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Classify, AnEmptyPatternFitsEveryFileEvenAnEmptyOne) {
    ASSERT_EQ(LoadTable(kHeader + "99,,0,,Anything,any\n"), std::nullopt);
    EXPECT_EQ(ClassifyLeadingBytes(nullptr, 0, ".txt").status, STATUS_MISMATCH);
    EXPECT_EQ(ClassifyLeadingBytes(nullptr, 0, ".any").status, STATUS_MATCH);
}

TEST(ExpectedTypeText, FitsInSixtyThreeBytesKeepingTheExtensionWhole) {
    const std::string table = kHeader + "0,FF,0,," + std::string(127, 'T') + "," + std::string(14, 'e') + "\n" +
                              "0,FE,0,,JPEG image,jpg\n" + "0,FD,0,," + std::string(58, 'x') + "\xC3\xA9" + "zz,ab\n";
    ASSERT_EQ(LoadTable(table), std::nullopt);
    const std::string longest = ExpectedTypeText(FileIdTable[0]);
    EXPECT_EQ(longest.size(), 63u);
    EXPECT_EQ(longest, std::string(47, 'T') + "; " + std::string(14, 'e'));
    EXPECT_EQ(ExpectedTypeText(FileIdTable[1]), "JPEG image; jpg");
    // Shortening never splits a UTF-8 character.
    EXPECT_EQ(ExpectedTypeText(FileIdTable[2]), std::string(58, 'x') + "; ab");
}

class MatchFileTypeTest : public ::testing::Test {
protected:
    void SetUp() override {
        TheFileList().Open();
        TheFileList().AppendRow("/data/", "photo.gif", STATUS_UNKNOWN);
    }
    void Match(const std::string& bytes, const std::string& name) {
        MatchFileType(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()),
                      "/data/" + name, 0);
    }
};

TEST_F(MatchFileTypeTest, RecordsTheVerdictOnTheRow) {
    ASSERT_EQ(LoadTable(kTable), std::nullopt);
    Match("\xFF\xD8\xFF\xE0", "photo.gif");
    EXPECT_EQ(TheFileList().GetImage(0), STATUS_MISMATCH);
    EXPECT_EQ(TheFileList().GetText(0, kColumnExpectType), "JPEG image; jpg");
    // A later tick or question mark leaves the expected type in place.
    Match("\xFF\xD8\xFF\xE0", "photo.jpg");
    EXPECT_EQ(TheFileList().GetImage(0), STATUS_MATCH);
    Match("text", "photo.gif");
    EXPECT_EQ(TheFileList().GetImage(0), STATUS_UNKNOWN);
    EXPECT_EQ(TheFileList().GetText(0, kColumnExpectType), "JPEG image; jpg");
}

TEST_F(MatchFileTypeTest, AnEmptyTableLeavesTheRowAlone) {
    ASSERT_EQ(LoadTable(kHeader), std::nullopt);
    TheFileList().SetImage(0, STATUS_FOLDER);
    Match("\xFF\xD8\xFF\xE0", "photo.gif");
    EXPECT_EQ(TheFileList().GetImage(0), STATUS_FOLDER);
}

}  // namespace
