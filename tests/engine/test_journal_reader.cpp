#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/journal_format.h"
#include "engine/journal_reader.h"
#include "tests/common/test_support.h"

using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string Line(const std::string& runId, const std::string& oldName) {
    return EncodeJournalRecord({"2026-01-31T12:00:00Z", runId, "/data/", oldName, oldName + ".png"});
}

struct ReadCase {
    const char* name;
    std::optional<std::string> text;  // empty: no journal at all
    std::string runId;
    std::vector<std::string> oldNames;  // of the records read, in order
    std::string failure;                // "@" stands for the journal's path
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class JournalReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(JournalReading, GivesTheRunsRecordsOrSaysWhyNot) {
    const ReadCase& c = GetParam();
    TempDir dir;
    const std::string path = dir / "renames.log";
    if (c.text) WriteFile(path, *c.text);
    const Result<std::vector<JournalRecord>> records = ReadJournalRun(path, c.runId);
    if (!c.failure.empty()) {
        ASSERT_FALSE(records);
        std::string expected = c.failure;
        expected.replace(expected.find('@'), 1, path);
        EXPECT_EQ(records.GetFailure().reason, expected);
        return;
    }
    ASSERT_TRUE(records) << records.GetFailure().reason;
    std::vector<std::string> oldNames;
    for (const JournalRecord& record : *records) oldNames.push_back(record.oldName);
    EXPECT_EQ(oldNames, c.oldNames);
}

const std::string kVersion1 = "# quorvane renames v1\n";

INSTANTIATE_TEST_SUITE_P(
    Journals, JournalReading,
    ::testing::Values(
        ReadCase{"WithoutVersionLineTheLastRun", Line("A", "a1") + Line("B", "b1") + Line("B", "b2"), "", {"b1", "b2"}, ""},
        ReadCase{"CommentsArePassedOver", kVersion1 + Line("A", "a1") + "#note\tA\t/data/\tn\tn.png\n" + Line("A", "a2"), "",
                 {"a1", "a2"}, ""},
        ReadCase{"ASecondVersionLineFromARaceIsPassedOver", kVersion1 + Line("A", "a1") + kVersion1 + Line("A", "a2"),
                 "", {"a1", "a2"}, ""},
        ReadCase{"ANamedRunSpreadBetweenOthers", Line("A", "a1") + Line("B", "b1") + Line("A", "a2"), "A",
                 {"a1", "a2"}, ""},
        ReadCase{"AHalfWrittenLastLineIsPassedOver",
                 Line("A", "a1") + Line("B", "b1").substr(0, 30), "", {"a1"}, ""},
        ReadCase{"ANewerVersionIsRefused", "# quorvane renames v2\n" + Line("A", "a1"), "", {},
                 "cannot read @: it is a journal of version 2, and this program reads up to version 1"},
        ReadCase{"NoSuchRun", Line("A", "a1"), "C", {}, "no run C in @"},
        ReadCase{"OnlyTheVersionLine", kVersion1, "", {}, "no rename run in @"},
        ReadCase{"NoJournal", std::nullopt, "", {}, "no rename has been journalled in @"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
