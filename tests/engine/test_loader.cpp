#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "tests/common/test_support.h"

using testsupport::Table;

using testsupport::kHeader;
using testsupport::LoadTable;

namespace {

struct DefectCase {
    const char* name;
    std::string text;
    std::string message;
};

void PrintTo(const DefectCase& c, std::ostream* os) { *os << c.name; }

const std::string kBadHeader = "プロファイルのヘッダが不正です.";

std::string DataError(int line, const std::string& raw) {
    return "プロファイルのデータエラーです.(Line " + std::to_string(line) + ")\r\n\r\n[" + raw + "]\r\n";
}

class LoaderDefects : public ::testing::TestWithParam<DefectCase> {};

TEST_P(LoaderDefects, NameTheDefectWithTheExactMessage) {
    EXPECT_EQ(LoadTable(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoaderDefects,
    ::testing::Values(
        DefectCase{"EmptyFile", "", "プロファイルのヘッダが読み込めません."},
        DefectCase{"NoBlankAfterBracket", "<File ID Data - V001 2026/12/07 >\nx\n", kBadHeader},
        DefectCase{"HeaderTooShort", "< File ID Data -\nx\n", kBadHeader},
        DefectCase{"OnlyTheHeaderLine", "< File ID Data - V001 2026/12/07 >\n", kBadHeader},
        DefectCase{"FourCommas", kHeader + "0,FF,0,,Type\n", DataError(3, "0,FF,0,,Type\n")},
        DefectCase{"SixCommas", kHeader + "0,FF,0,,Type,ext,\n", DataError(3, "0,FF,0,,Type,ext,\n")},
        DefectCase{"EmptyLine", kHeader + "0,FF,0,,Type,ext\n\n", DataError(4, "\n")},
        DefectCase{"CommentsCountForLineNumbers", kHeader + "; a, b, c\n0,FF\n", DataError(4, "0,FF\n")},
        DefectCase{"LastLineWithoutLineFeed", kHeader + "bad", DataError(3, "bad")},
        DefectCase{"CrLfIsReportedAsLineFeed", kHeader + "bad\r\n", DataError(3, "bad\n")},
        DefectCase{"PatternFieldTooLong", kHeader + "0," + std::string(64, 'A') + ",0,,T,e\n",
                   DataError(3, "0," + std::string(64, 'A') + ",0,,T,e\n")},
        DefectCase{"OffsetFieldTooLong", kHeader + std::string(64, '1') + ",FF,0,,T,e\n",
                   DataError(3, std::string(64, '1') + ",FF,0,,T,e\n")},
        DefectCase{"TypeNameTooLong", kHeader + "0,FF,0,," + std::string(128, 'T') + ",e\n",
                   DataError(3, "0,FF,0,," + std::string(128, 'T') + ",e\n")},
        DefectCase{"ExtensionTooLong", kHeader + "0,FF,0,,T," + std::string(15, 'e') + "\n",
                   DataError(3, "0,FF,0,,T," + std::string(15, 'e') + "\n")},
        // A line is taken 1023 bytes at a time: the rest is the next line.
        DefectCase{"LongLineContinuesAsTheNextLine", kHeader + ";" + std::string(1022, 'c') + "tail\n",
                   DataError(4, "tail\n")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Loader, FieldsAtTheirLimitsAreAccepted) {
    const std::string line = "0," + std::string(62, 'A') + ",0,,T" + std::string(126, 't') + "," + std::string(14, 'e');
    ASSERT_EQ(LoadTable(kHeader + line + "\n"), std::nullopt);
    ASSERT_EQ(Table().Count(), 1);
    EXPECT_EQ(Table()[0].patternLength, 31);
    EXPECT_EQ(std::string(Table()[0].typeName).size(), 127u);
    EXPECT_EQ(std::string(Table()[0].extension), std::string(14, 'e'));
}

// A table of the old size and one at the limit load whole; one line more is refused,
// named by its line number (two header lines and a comment come first).
class LoaderCapacity : public ::testing::TestWithParam<int> {};

TEST_P(LoaderCapacity, LoadsUpToTheLimitAndRefusesTheLineBeyond) {
    const int lines = GetParam();
    std::string text = kHeader + "; a full table\n";
    for (int i = 0; i < lines; ++i) text += std::to_string(i % 60) + ",FF,0,,T,e\n";
    ASSERT_EQ(LoadTable(text), std::nullopt);
    EXPECT_EQ(Table().Count(), lines);
    if (lines < kFileIdTableSize) return;
    EXPECT_EQ(LoadTable(text + "1,EE,0,,T,e\n"), DataError(lines + 4, "1,EE,0,,T,e\n"));
    EXPECT_EQ(Table().Count(), kFileIdTableSize);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LoaderCapacity, ::testing::Values(500, kFileIdTableSize),
                         [](const auto& info) { return "Lines" + std::to_string(info.param); });

TEST(Loader, AcceptsAnyHeaderTextAfterTheTemplatePrefix) {
    EXPECT_EQ(LoadTable("< File ID Data - Vanything at all\n\n"), std::nullopt);
    EXPECT_EQ(Table().Count(), 0);
    EXPECT_EQ(LoadTable("< File ID Data - V"), kBadHeader);  // no second line
}

TEST(Loader, StoresFieldsInFileOrder) {
    ASSERT_EQ(LoadTable(kHeader + "; images\n 8,57454250,-3,0102,WebP image,webp\n-2,,x,,Odd,odd"), std::nullopt);
    ASSERT_EQ(Table().Count(), 2);
    const FileIdEntry& first = Table()[0];
    EXPECT_EQ(first.offset, 8);
    EXPECT_EQ(first.patternLength, 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first.pattern)), "WEBP");
    EXPECT_EQ(first.offset2, -3);
    EXPECT_EQ(first.pattern2Length, 2);
    EXPECT_EQ(std::string(first.typeName), "WebP image");
    EXPECT_EQ(std::string(first.extension), "webp");
    const FileIdEntry& last = Table()[1];  // last line without a line feed is read whole
    EXPECT_EQ(last.offset, -2);
    EXPECT_EQ(last.patternLength, 0);
    EXPECT_EQ(last.offset2, 0);
    EXPECT_EQ(std::string(last.extension), "odd");
}

TEST(Loader, LineEndsAndCtrlZ) {
    ASSERT_EQ(LoadTable(kHeader + "0,FF,0,,T,crlf\r\n0,EE,0,,T,cr\r\x1A" "garbage without commas\n"), std::nullopt);
    ASSERT_EQ(Table().Count(), 2);
    EXPECT_EQ(std::string(Table()[0].extension), "crlf");
    EXPECT_EQ(std::string(Table()[1].extension), "cr");
}

TEST(Loader, FieldsAreNotTrimmed) {
    ASSERT_EQ(LoadTable(kHeader + "0,FF,0,, Type , ext\n"), std::nullopt);
    EXPECT_EQ(std::string(Table()[0].typeName), " Type ");
    EXPECT_EQ(std::string(Table()[0].extension), " ext");
}

TEST(HexToBytes, DecodesPairsByItsOwnDigitRules) {
    struct Case {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"FFD8FF", "\xFF\xD8\xFF"},
        {"ffd8", "\x96\x48"},  // lower case is not hexadecimal: ('f'-'0')*16 + ('f'-'0')
        {"ABC", "\xAB"},       // an unpaired last digit yields nothing
        {"", ""},
        {"0A1a", "\x0A\x41"},
    };
    for (const Case& c : cases) {
        unsigned char out[40] = {};
        const int count = HexToBytes(out, c.text);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(out), count), c.bytes) << c.text;
        EXPECT_EQ(out[count], 0) << c.text;
    }
}

TEST(LoaderHelpers, CountCharAndReadField) {
    EXPECT_EQ(CountChar("0,FF,0,,T,e\n", ','), 5);
    EXPECT_EQ(CountChar("", ','), 0);
    std::string field;
    EXPECT_EQ(ReadField(field, "ab,cd", 0), 2);
    EXPECT_EQ(field, "ab");
    EXPECT_EQ(ReadField(field, "ab,cd", 3), 5);
    EXPECT_EQ(field, "cd");
    EXPECT_EQ(ReadField(field, "ab,,cd", 3), 3);
    EXPECT_EQ(field, "");
}

struct NotAFileCase {
    const char* name;
    // Gives the path to load; a FIFO made for it goes in `fifo`.
    std::function<std::string(const testsupport::TempDir&, std::unique_ptr<testsystem::Fifo>& fifo)> make;
};

void PrintTo(const NotAFileCase& c, std::ostream* os) { *os << c.name; }

class LoaderRefuses : public ::testing::TestWithParam<NotAFileCase> {};

TEST_P(LoaderRefuses, WhatIsNotARegularFileWithoutWaiting) {
    testsupport::TempDir dir;
    std::unique_ptr<testsystem::Fifo> fifo;
    const std::string path = GetParam().make(dir, fifo);
    auto load = std::async(std::launch::async, [path] {
        FileIdTable table;
        const std::optional<TableDefect> defect = TryLoadFileIdData(path, kHeaderTemplate, table);
        return defect ? defect->message : std::string();
    });
    if (load.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        if (fifo) fifo->Unblock();
        load.wait();
        FAIL() << "the load waited on " << path;
    }
    EXPECT_EQ(load.get(), "ファイル [" + path + "] が開けません.");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LoaderRefuses,
    ::testing::Values(NotAFileCase{"Fifo",
                                   [](const testsupport::TempDir& dir, std::unique_ptr<testsystem::Fifo>& fifo) {
                                       fifo = std::make_unique<testsystem::Fifo>(dir / "Quorvane.dat");
                                       EXPECT_TRUE(fifo->Made());
                                       return fifo->Path();
                                   }},
                      NotAFileCase{"Folder",
                                   [](const testsupport::TempDir& dir, std::unique_ptr<testsystem::Fifo>&) {
                                       return dir.Folder();
                                   }},
                      NotAFileCase{"CharacterDevice",
                                   [](const testsupport::TempDir&, std::unique_ptr<testsystem::Fifo>&) {
                                       return std::string(testsystem::kNullDevice);
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
