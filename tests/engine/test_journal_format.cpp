#include <gtest/gtest.h>

#include "engine/journal_format.h"

namespace {

TEST(JournalRecordText, EveryByteSurvivesAndTheLineStaysPrintableAscii) {
    std::string allBytes;
    for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
    JournalRecord record;
    record.time = "2026-01-31T12:00:00Z";
    record.runId = "run-1";
    record.folder = "/a folder/\t%/";
    record.oldName = allBytes;
    record.newName = "x\ny";
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

// What undo needs beyond the names rides on a line that programs knowing no
// notes pass over as a comment, and that no reader can take for a record.
TEST(JournalRecordText, TheNoteComesBackAndReadsAsACommentElsewhere) {
    JournalRecord record;
    record.time = "2026-01-31T12:00:00Z";
    record.runId = "run-2";
    record.folder = "/data/";
    record.oldName = "a.png";
    record.newName = "a.gif";
    record.sequence = 12;
    record.kind = "undo";
    record.undoes = "run 1";
    record.file = FileIdentity{2049, 18446744073709551615u, 5120};
    record.folderIdentity = FileIdentity{2049, 1200, 0};
    const std::string text = EncodeJournalRecord(record);
    const size_t newline = text.find('\n');
    const std::string note = text.substr(0, newline + 1);
    EXPECT_TRUE(IsJournalComment(note));
    EXPECT_EQ(note.find('\t'), std::string::npos) << note;
    EXPECT_EQ(DecodeJournalRecord(note), std::nullopt);

    std::optional<JournalRecord> back = DecodeJournalRecord(text.substr(newline + 1));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(DecodeJournalNote(note, *back));
    EXPECT_EQ(back->sequence, 12u);
    EXPECT_EQ(back->kind, "undo");
    EXPECT_EQ(back->undoes, "run 1");
    EXPECT_EQ(back->file, record.file);
    EXPECT_EQ(back->folderIdentity, record.folderIdentity);
    EXPECT_EQ(back->oldName, "a.png");

    // Keys a later version adds, and values that do not read, are passed over.
    JournalRecord other;
    EXPECT_TRUE(DecodeJournalNote("#= later=1 seq=x file=1.2 kind=auto", other));
    EXPECT_EQ(other.sequence, 0u);
    EXPECT_EQ(other.file, std::nullopt);
    EXPECT_EQ(other.kind, "auto");
    EXPECT_FALSE(DecodeJournalNote("# quorvane renames v1", other));
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
