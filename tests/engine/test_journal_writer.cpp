#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/journal_format.h"
#include "engine/journal_reader.h"
#include "engine/journal_writer.h"
#include "tests/common/test_support.h"

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// The version line opens a journal the writer creates, and only such a one:
// a journal that holds records without one is left without.
TEST(RenameRun, ANewJournalAloneStartsWithTheVersionLine) {
    const std::string oldRecord = "2020-01-01T00:00:00Z\told\t/data/\ta\tb\n";
    for (const std::string& existing : {std::string(), oldRecord}) {
        TempDir dir;
        const std::string path = dir / "state/quorvane/renames.log";
        if (!existing.empty()) {
            std::filesystem::create_directories(testsupport::PathOf(dir / "state/quorvane"));
            WriteFile(path, existing);
        }
        RenameRun first(path);
        first.Record(dir.Folder(), "x.gif", "x.png");
        first.Record(dir.Folder(), "y.gif", "y.png");
        RenameRun second(path);
        second.Record(dir.Folder(), "z.gif", "z.png");
        EXPECT_EQ(first.TakeJournalProblem(), std::nullopt);
        EXPECT_EQ(second.TakeJournalProblem(), std::nullopt);

        const std::string text = ReadFile(path);
        const std::string opening = existing.empty() ? JournalVersionLine() : existing;
        EXPECT_EQ(text.substr(0, opening.size()), opening);
        EXPECT_EQ(text.find("# quorvane", 1), std::string::npos) << text;
        const Result<JournalRun> run = ReadJournalRun(path, first.Id());
        ASSERT_TRUE(run) << run.GetFailure().reason;
        ASSERT_EQ(run->records.size(), 2u);
        EXPECT_EQ(run->records[1].oldName, "y.gif");
    }
}

// Before a run's first record: a line a failed write cut short is ended, so
// the record does not join it; a journal grown to the rotation size moves
// aside, and its runs can still be read.
TEST(RenameRun, MendsACutLineAndRotatesAGrownJournal) {
    const std::string oldRecord = "2020-01-01T00:00:00Z\told\t/data/\ta\tb\n";
    for (const bool grown : {false, true}) {
        TempDir dir;
        const std::string path = dir / "renames.log";
        if (grown) {
            WriteFile(path, "");
            std::filesystem::resize_file(testsupport::PathOf(path), kJournalRotationBytes - oldRecord.size() - 1);
            std::ofstream(testsupport::PathOf(path), std::ios::binary | std::ios::app) << "\n" << oldRecord;
        } else {
            WriteFile(path, oldRecord + "2020-01-01T00:00:01Z\tcut\t/da");
        }
        RenameRun run(path);
        run.Record(dir.Folder(), "x.gif", "x.png");
        ASSERT_EQ(run.TakeJournalProblem(), std::nullopt);

        const Result<JournalRun> current = ReadJournalRun(path, run.Id());
        ASSERT_TRUE(current) << current.GetFailure().reason;
        EXPECT_EQ(current->records.size(), 1u);
        const Result<JournalRun> old = ReadJournalRun(path, "old");
        ASSERT_TRUE(old) << old.GetFailure().reason;
        EXPECT_EQ(old->records.size(), 1u);
        EXPECT_EQ(std::filesystem::exists(testsupport::PathOf(RotatedJournalPath(path))), grown);
        if (grown) {
            EXPECT_EQ(ReadFile(path).substr(0, JournalVersionLine().size()), JournalVersionLine());
        } else {
            EXPECT_EQ(old->damagedLines, std::vector<std::string>{"line 2 of renames.log is damaged: skipped"});
        }
    }
}

}  // namespace
