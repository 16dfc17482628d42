#include <gtest/gtest.h>

#include "engine/journal_format.h"

namespace {

TEST(JournalRecordText, EveryByteSurvivesAndTheLineStaysPrintableAscii) {
    std::string allBytes;
    for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
    const JournalRecord record{"2026-01-31T12:00:00Z", "run-1", "/a folder/\t%/", allBytes, "x\ny"};
    const std::string line = EncodeJournalRecord(record);
    ASSERT_EQ(line.back(), '\n');
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        EXPECT_TRUE(c == '\t' || (c > 0x20 && c < 0x7F)) << i;
    }
    EXPECT_FALSE(IsJournalComment(line));
    const std::optional<JournalRecord> back = DecodeJournalRecord(line);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->folder, record.folder);
    EXPECT_EQ(back->oldName, allBytes);
    EXPECT_EQ(back->newName, record.newName);
    // A half-written line is not taken for a record.
    EXPECT_EQ(DecodeJournalRecord(line.substr(0, line.size() / 2)), std::nullopt);
}

TEST(JournalVersionLine, NamesItsVersionAndNoOtherLineDoes) {
    EXPECT_EQ(JournalVersionLine(), "# quorvane renames v1\n");
    const struct {
        const char* line;
        std::optional<int> version;
    } cases[] = {
        {"# quorvane renames v1\n", 1},  {"# quorvane renames v1", 1},         {"# quorvane renames v12", 12},
        {"# quorvane renames v", {}},    {"# quorvane renames vX", {}},        {"# quorvane renames v1 beta", {}},
        {"#quorvane renames v1", {}},    {"# quorvane renames v9999999999", {}}, {"# a note", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JournalVersionOf(c.line), c.version) << c.line;
        EXPECT_TRUE(IsJournalComment(c.line)) << c.line;
    }
}

}  // namespace
