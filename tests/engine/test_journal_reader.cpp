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

// A record of run `runId` renaming `oldName`; with `sequence`, after its note
// line, `undoes` making it part of an undo.
std::string Line(const std::string& runId, const std::string& oldName, uint64_t sequence = 0,
                 const std::string& undoes = "") {
    JournalRecord record;
    record.time = "2026-01-31T12:00:00Z";
    record.runId = runId;
    record.folder = "/data/";
    record.oldName = oldName;
    record.newName = oldName + ".png";
    record.sequence = sequence;
    record.undoes = undoes;
    record.kind = sequence == 0 ? "" : undoes.empty() ? "auto" : "undo";
    return EncodeJournalRecord(record);
}

struct ReadCase {
    const char* name;
    std::optional<std::string> text;  // empty: no journal at all
    std::string runId;
    std::vector<std::string> oldNames;  // of the records read, in order
    std::string failure;                // "@" stands for the journal's path
    std::vector<std::string> damaged = {};
    bool mayBeIncomplete = false;
    std::string rotated = "";  // renames.log.1
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class JournalReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(JournalReading, GivesTheRunsRecordsOrSaysWhyNot) {
    const ReadCase& c = GetParam();
    TempDir dir;
    const std::string path = dir / "renames.log";
    if (c.text) WriteFile(path, *c.text);
    if (!c.rotated.empty()) WriteFile(path + ".1", c.rotated);
    const Result<JournalRun> run = ReadJournalRun(path, c.runId);
    if (!c.failure.empty()) {
        ASSERT_FALSE(run);
        std::string expected = c.failure;
        expected.replace(expected.find('@'), 1, path);
        EXPECT_EQ(run.GetFailure().reason, expected);
        return;
    }
    ASSERT_TRUE(run) << run.GetFailure().reason;
    std::vector<std::string> oldNames;
    for (const JournalRecord& record : run->records) oldNames.push_back(record.oldName);
    EXPECT_EQ(oldNames, c.oldNames);
    EXPECT_EQ(run->damagedLines, c.damaged);
    EXPECT_EQ(run->mayBeIncomplete, c.mayBeIncomplete);
}

const std::string kVersion1 = "# quorvane renames v1\n";
const std::string kZeros(3 << 20, '\0');

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
        ReadCase{"ACutLastLineIsNamedAndMayBeTheNewestRun",
                 kVersion1 + Line("A", "a1") + Line("B", "b1").substr(0, 30), "", {"a1"}, "",
                 {"line 3 of renames.log is damaged: skipped"}, true},
        ReadCase{"ACutLineEvenWhenWhatIsLeftDecodes", Line("A", "a1") + Line("A", "a2.png.png").substr(0, 50), "A",
                 {"a1"}, "", {"line 2 of renames.log is damaged: skipped"}, true},
        ReadCase{"ADamagedLineOfTheRunMakesItIncomplete",
                 Line("A", "a1", 1) + "2026\tA\t/da%ZZ\n" + Line("A", "a3", 3), "A", {"a1", "a3"}, "",
                 {"line 3 of renames.log is damaged: skipped"}, true},
        ReadCase{"ADamagedLineOfAnotherRunIsNamedOnly", Line("A", "a1") + "2026\tB\t/da%ZZ\n" + Line("A", "a2"), "A",
                 {"a1", "a2"}, "", {"line 2 of renames.log is damaged: skipped"}, false},
        ReadCase{"ReadingStopsAtTheRunsFirstRecord", "damage before the run\n" + Line("A", "a1", 1) + Line("A", "a2", 2),
                 "", {"a1", "a2"}, ""},
        ReadCase{"AFileOfZerosIsPassedOverWithoutHoldingIt", kZeros + "\n" + Line("A", "a1"), "", {"a1"}, "",
                 {"line 1 of renames.log is damaged: skipped"}, false},
        ReadCase{"UndoWalksBackPastRunsTakenBack",
                 Line("A", "a1", 1) + Line("B", "b1", 1) + Line("U", "b1.png", 1, "B") + Line("C", "c1", 1) +
                     Line("V", "c1.png", 1, "C"),
                 "", {"a1"}, ""},
        ReadCase{"AnUndoRunIsTakenBackWhenNamed", Line("B", "b1", 1) + Line("U", "b1.png", 1, "B"), "U", {"b1.png"},
                 ""},
        ReadCase{"EveryRunTakenBack", Line("B", "b1", 1) + Line("U", "b1.png", 1, "B"), "", {},
                 "every run in @ has been taken back"},
        ReadCase{"ARunInTheRotatedJournal", Line("B", "b1", 1), "A", {"a1", "a2"}, "", {}, false,
                 Line("A", "a1", 1) + Line("A", "a2", 2)},
        ReadCase{"ARunAcrossTheRotation", Line("A", "a2"), "", {"a1", "a2"}, "", {}, false, Line("A", "a1")},
        ReadCase{"ANewerVersionIsRefused", "# quorvane renames v2\n" + Line("A", "a1"), "", {},
                 "cannot read @: it is a journal of version 2, and this program reads up to version 1"},
        ReadCase{"NoSuchRun", Line("A", "a1"), "C", {}, "no run C in @"},
        ReadCase{"OnlyTheVersionLine", kVersion1, "", {}, "no rename run in @"},
        ReadCase{"NoJournal", std::nullopt, "", {}, "no rename has been journalled in @"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
