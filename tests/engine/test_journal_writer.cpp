#include <gtest/gtest.h>

#include <string>

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
    const std::string oldRecord = EncodeJournalRecord({"2020-01-01T00:00:00Z", "old", "/data/", "a", "b"});
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
        EXPECT_EQ(text.find('#', 1), std::string::npos) << text;
        const Result<std::vector<JournalRecord>> records = ReadJournalRun(path, first.Id());
        ASSERT_TRUE(records) << records.GetFailure().reason;
        ASSERT_EQ(records->size(), 2u);
        EXPECT_EQ((*records)[1].oldName, "y.gif");
    }
}

}  // namespace
