#include <gtest/gtest.h>

#include "list/file_list.h"
#include "signature/matcher.h"
#include "engine/path_check.h"
#include "tests/common/test_support.h"

using testsupport::Table;

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
    const Verdict result = ClassifyLeadingBytes(Table(), bytes, static_cast<int>(c.bytes.size()), c.extension);
    EXPECT_EQ(result.status, c.status);
    if (c.expectedExtension.empty()) {
        EXPECT_EQ(result.entryIndex, -1);
    } else {
        ASSERT_GE(result.entryIndex, 0);
        EXPECT_EQ(std::string(Table()[result.entryIndex].extension), c.expectedExtension);
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
        MatchCase{"ElfWithAnotherKindsExtension", "\x7F" "ELF\x02\x01", ".jpg", STATUS_MISMATCH, "elf"},
        // A suffix no entry names is part of a program's name, as in "ld.bfd".
        MatchCase{"ElfWithADotInItsName", "\x7F" "ELF\x02\x01", ".bfd", STATUS_MATCH, "elf"},
        // ...but never one that commonly names text or data.
        MatchCase{"ElfNamedAsText", "\x7F" "ELF\x02\x01", ".txt", STATUS_MISMATCH, "elf"},
        MatchCase{"ElfNamedAsCsvInCapitals", "\x7F" "ELF\x02\x01", ".CSV", STATUS_MISMATCH, "elf"},
        MatchCase{"JpegWithAnUnknownExtension", "\xFF\xD8\xFF\xE0", ".bfd", STATUS_MISMATCH, "jpg"},
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
    EXPECT_EQ(ClassifyLeadingBytes(Table(), nullptr, 0, ".txt").status, STATUS_MISMATCH);
    EXPECT_EQ(ClassifyLeadingBytes(Table(), nullptr, 0, ".any").status, STATUS_MATCH);
}

// A member named by the second look decides over the family's first line:
// its own line and the fitting lines of the same type name fit, nothing else.
struct MemberCase {
    const char* name;
    std::string bytes;
    std::string extension;
    std::string member;
    int32_t status;                 // -1: no fitting line names the member, the leading bytes decide
    std::string expectedExtension;  // of the member's line
};

void PrintTo(const MemberCase& c, std::ostream* os) { *os << c.name; }

class ClassifyMemberTest : public ::testing::TestWithParam<MemberCase> {};

TEST_P(ClassifyMemberTest, GivesTheMembersVerdict) {
    const MemberCase& c = GetParam();
    FileIdTable table;
    ASSERT_EQ(testsupport::ReadTable(kHeader +
                                         "0,504B0304,0,,ZIP archive,zip\n"
                                         "0,504B0304,0,,ZIP archive,cbz\n"
                                         "0,504B0304,0,,Word document,docx\n"
                                         "0,504B0304,0,,Excel workbook,xlsx\n"
                                         "0,7F454C46,0,,ELF shared object,so\n"
                                         "0,7F454C46,0,,ELF program,\n"
                                         "0,7F454C46,0,,ELF shared object,\n"
                                         "0,FFD8FF,0,,JPEG image,jpg\n",
                                     table),
              std::nullopt);
    const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
    const std::optional<Verdict> verdict =
        ClassifyMember(table, bytes, static_cast<int>(c.bytes.size()), c.extension, c.member);
    if (c.status < 0) {
        EXPECT_EQ(verdict, std::nullopt);
        return;
    }
    ASSERT_NE(verdict, std::nullopt);
    EXPECT_EQ(verdict->status, c.status);
    EXPECT_EQ(std::string(table[verdict->entryIndex].extension), c.expectedExtension);
}

const std::string kZip("PK\x03\x04\x14\0\x06\0", 8);
const std::string kElf("\x7F" "ELF\x02\x01", 6);

INSTANTIATE_TEST_SUITE_P(
    Members, ClassifyMemberTest,
    ::testing::Values(MemberCase{"OwnExtension", kZip, ".docx", "docx", STATUS_MATCH, "docx"},
                      MemberCase{"AnotherMembersExtension", kZip, ".xlsx", "docx", STATUS_MISMATCH, "docx"},
                      MemberCase{"TheFamilysFirstExtension", kZip, ".zip", "docx", STATUS_MISMATCH, "docx"},
                      MemberCase{"PlainArchiveAcceptsItsSynonym", kZip, ".cbz", "zip", STATUS_MATCH, "zip"},
                      MemberCase{"PlainArchiveNamedAsADocument", kZip, ".docx", "zip", STATUS_MISMATCH, "zip"},
                      MemberCase{"MemberInCapitals", kZip, ".DOCX", "DOCX", STATUS_MATCH, "docx"},
                      MemberCase{"ProgramWithoutExtension", kElf, "", "", STATUS_MATCH, ""},
                      MemberCase{"ProgramWithADotInItsName", kElf, ".11", "", STATUS_MATCH, ""},
                      MemberCase{"ProgramNamedAsALibrary", kElf, ".so", "", STATUS_MISMATCH, ""},
                      MemberCase{"ProgramNamedAsText", kElf, ".txt", "", STATUS_MISMATCH, ""},
                      MemberCase{"VersionedLibrary", kElf, ".6", "so", STATUS_MATCH, "so"},
                      MemberCase{"MemberTheTableLacks", kZip, ".zip", "odt", -1, ""},
                      MemberCase{"MemberOfAnotherFamily", kZip, ".jpg", "jpg", -1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExpectedTypeText, FitsInSixtyThreeBytesKeepingTheExtensionWhole) {
    const std::string table = kHeader + "0,FF,0,," + std::string(127, 'T') + "," + std::string(14, 'e') + "\n" +
                              "0,FE,0,,JPEG image,jpg\n" + "0,FD,0,," + std::string(58, 'x') + "\xC3\xA9" + "zz,ab\n";
    ASSERT_EQ(LoadTable(table), std::nullopt);
    const std::string longest = ExpectedTypeText(Table()[0]);
    EXPECT_EQ(longest.size(), 63u);
    EXPECT_EQ(longest, std::string(47, 'T') + "; " + std::string(14, 'e'));
    EXPECT_EQ(ExpectedTypeText(Table()[1]), "JPEG image; jpg");
    // Shortening never splits a UTF-8 character.
    EXPECT_EQ(ExpectedTypeText(Table()[2]), std::string(58, 'x') + "; ab");
}

// The check of a whole path: status from the file system, verdict from the
// bytes, alternatives from the table it was given, and nothing global.
struct PathCase {
    const char* name;
    std::string bytes;  // written to a file called `fileName`; empty name: a folder
    std::string fileName;
    int32_t status;
    std::vector<std::string> accepted;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class CheckPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(CheckPathTest, JudgesThePathAgainstTheTableGiven) {
    const PathCase& c = GetParam();
    FileIdTable table;
    ASSERT_EQ(testsupport::ReadTable(kTable, table), std::nullopt);
    testsupport::TempDir dir;
    const std::string path = c.fileName.empty() ? dir.Folder() : dir / c.fileName;
    if (!c.fileName.empty()) testsupport::WriteFile(path, c.bytes);
    const PathVerdict result = CheckPath(path, table, true);
    EXPECT_EQ(result.verdict.status, c.status);
    std::vector<std::string> accepted;
    for (int32_t index : result.accepted) accepted.push_back(table[index].extension);
    EXPECT_EQ(accepted, c.accepted);
    EXPECT_FALSE(result.Failed());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, CheckPathTest,
    ::testing::Values(PathCase{"zip_named_jar_is_an_alternative", "PK\x03\x04\x0A", "lib.jar", STATUS_MATCH,
                               {"zip", "docx", "jar"}},
                      PathCase{"zip_named_gif", "PK\x03\x04\x0A", "lib.gif", STATUS_MISMATCH, {"zip", "docx", "jar"}},
                      PathCase{"elf_without_extension", "\x7F" "ELF", "tool", STATUS_MATCH, {"elf", "so", ""}},
                      PathCase{"text_fits_nothing", "hello", "a.txt", STATUS_UNKNOWN, {}},
                      PathCase{"empty_file", "", "a.jpg", STATUS_UNKNOWN, {}},
                      PathCase{"folder", "", "", STATUS_FOLDER, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckPath, UsesTheTableItIsGivenAndReportsWhatFailed) {
    testsupport::TempDir dir;
    testsupport::WriteFile(dir / "photo.jpeg", "\xFF\xD8\xFF\xE0");
    FileIdTable jpegFirst, jpegOnly;
    ASSERT_EQ(testsupport::ReadTable(kTable, jpegFirst), std::nullopt);
    ASSERT_EQ(testsupport::ReadTable(kHeader + "0,FFD8FF,0,,JPEG image,jpg\n", jpegOnly), std::nullopt);
    EXPECT_EQ(CheckPath(dir / "photo.jpeg", jpegFirst, true).verdict.status, STATUS_MATCH);
    EXPECT_EQ(CheckPath(dir / "photo.jpeg", jpegOnly, true).verdict.status, STATUS_MISMATCH);
    EXPECT_EQ(CheckPath(dir / "photo.jpeg", jpegFirst, true).verdict.status, STATUS_MATCH);

    const PathVerdict missing = CheckPath(dir / "gone.jpg", jpegOnly, true);
    EXPECT_FALSE(missing.exists);
    EXPECT_TRUE(missing.Failed());
}

}  // namespace
