#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/journal_reader.h"
#include "engine/rename.h"
#include "tests/common/test_support.h"

using testsupport::PathOf;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

// What happens to the renamed files between the run and its undo.
enum class Meanwhile { Nothing, RenamedAgain, Deleted, OldNameTaken, UndoneTwice, JournalUnwritable };

struct UndoCase {
    const char* name;
    Meanwhile meanwhile;
    // The file names the run gives their ".png" twins; the first one is the one meddled with.
    std::vector<std::string> names;
};

void PrintTo(const UndoCase& c, std::ostream* os) { *os << c.name; }

class JournalUndo : public ::testing::TestWithParam<UndoCase> {
protected:
    static std::string Png(const std::string& name) { return name.substr(0, name.size() - 4) + ".png"; }
    static std::string Content(const std::string& name) { return "content of " + name; }
    TempDir dir;
};

TEST_P(JournalUndo, TakesBackWhatItCanAndOverwritesNothing) {
    const UndoCase& c = GetParam();
    const std::string journal =
        c.meanwhile == Meanwhile::JournalUnwritable ? dir / "plain-file/renames.log" : dir / "state/renames.log";
    WriteFile(dir / "plain-file", "a file where a folder would be needed");
    for (const std::string& name : c.names) WriteFile(dir / name, Content(name));

    RenameRun run(journal);
    for (const std::string& name : c.names) {
        ASSERT_EQ(RenameInFolder(dir.Folder(), name, Png(name), run), std::nullopt) << name;
    }
    if (c.meanwhile == Meanwhile::JournalUnwritable) {
        // Renamed all the same, and told once.
        for (const std::string& name : c.names) EXPECT_EQ(ReadFile(dir / Png(name)), Content(name));
        EXPECT_NE(run.TakeJournalProblem(), std::nullopt);
        EXPECT_EQ(run.TakeJournalProblem(), std::nullopt);
        RenameRun undo(journal);
        EXPECT_FALSE(UndoRenameRun("", undo).notice.empty());
        return;
    }
    EXPECT_EQ(run.TakeJournalProblem(), std::nullopt);

    // Every name comes back from the journal byte for byte.
    const Result<std::vector<JournalRecord>> records = ReadJournalRun(journal, run.Id());
    ASSERT_TRUE(records) << records.GetFailure().reason;
    ASSERT_EQ(records->size(), c.names.size());
    for (size_t i = 0; i < records->size(); ++i) {
        EXPECT_EQ((*records)[i].folder, dir.Folder());
        EXPECT_EQ((*records)[i].oldName, c.names[i]);
        EXPECT_EQ((*records)[i].newName, Png(c.names[i]));
    }

    const std::string meddled = c.names[0];
    if (c.meanwhile == Meanwhile::RenamedAgain) std::filesystem::rename(PathOf(dir / Png(meddled)), PathOf(dir / "elsewhere.jpg"));
    if (c.meanwhile == Meanwhile::Deleted) std::filesystem::remove(PathOf(dir / Png(meddled)));
    if (c.meanwhile == Meanwhile::OldNameTaken) WriteFile(dir / meddled, "a newcomer");

    RenameRun undo(journal);
    std::vector<std::string> undone;
    RenameRunReport report = UndoRenameRun("", undo, [&](const JournalRecord& r) { undone.push_back(r.oldName); });
    EXPECT_EQ(report.notice, "");
    const bool meddledWith = c.meanwhile != Meanwhile::Nothing && c.meanwhile != Meanwhile::UndoneTwice;
    ASSERT_EQ(report.failures.size(), meddledWith ? 1u : 0u);
    if (meddledWith) {
        EXPECT_EQ(report.failures[0].oldPath, dir / Png(meddled));
    }
    // Newest first.
    ASSERT_EQ(undone.size(), c.names.size() - (meddledWith ? 1 : 0));
    EXPECT_EQ(undone.front(), c.names.back());

    if (c.meanwhile == Meanwhile::UndoneTwice) {
        // The undo was a run of its own: undoing it renames the files again.
        RenameRun redo(journal);
        EXPECT_TRUE(UndoRenameRun("", redo).failures.empty());
        for (const std::string& name : c.names) EXPECT_EQ(ReadFile(dir / Png(name)), Content(name)) << name;
        EXPECT_FALSE(std::filesystem::exists(PathOf(dir / c.names[0])));
        return;
    }
    for (size_t i = meddledWith ? 1 : 0; i < c.names.size(); ++i) {
        EXPECT_EQ(ReadFile(dir / c.names[i]), Content(c.names[i])) << c.names[i];
        EXPECT_FALSE(std::filesystem::exists(PathOf(dir / Png(c.names[i]))));
    }
    if (c.meanwhile == Meanwhile::RenamedAgain) {
        EXPECT_EQ(ReadFile(dir / "elsewhere.jpg"), Content(meddled));
    }
    if (c.meanwhile == Meanwhile::Deleted) {
        EXPECT_FALSE(std::filesystem::exists(PathOf(dir / meddled)));
    }
    if (c.meanwhile == Meanwhile::OldNameTaken) {
        EXPECT_EQ(ReadFile(dir / meddled), "a newcomer");
        EXPECT_EQ(ReadFile(dir / Png(meddled)), Content(meddled));
    }
}

#ifdef _WIN32
// Windows allows no control characters in names, and every name is UTF-8 here.
const std::vector<std::string> kOddNames = {"plain.gif", "caf\xC3\xA9.gif", "\xE5\xA0\xB1\xF0\x9F\x98\x80.gif",
                                            "100% sure.gif", "dots..gif"};
#else
const std::vector<std::string> kOddNames = {"plain.gif", "new\nline.gif", "tab\there.gif", "caf\xE9.gif",
                                            "100% sure.gif", "dots..gif"};
#endif

INSTANTIATE_TEST_SUITE_P(Runs, JournalUndo,
                         ::testing::Values(UndoCase{"WholeRunWithOddNames", Meanwhile::Nothing, kOddNames},
                                           UndoCase{"FileRenamedAgain", Meanwhile::RenamedAgain, {"a.gif", "b.gif"}},
                                           UndoCase{"FileDeleted", Meanwhile::Deleted, {"a.gif", "b.gif"}},
                                           UndoCase{"OldNameTaken", Meanwhile::OldNameTaken, {"a.gif", "b.gif"}},
                                           UndoCase{"UndoUndone", Meanwhile::UndoneTwice, {"a.gif", "b.gif"}},
                                           UndoCase{"JournalUnwritable", Meanwhile::JournalUnwritable,
                                                    {"a.gif", "b.gif"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A table's extension or a typed name must never move the file elsewhere.
TEST(RenameInFolder, ANewNameThatIsNotASingleNameTouchesNothing) {
    TempDir dir;
    RenameRun run(dir / "renames.log");
    std::filesystem::create_directory(PathOf(dir / "in"));
    WriteFile(dir / "in/photo.gif", testsupport::kPngBytes);
    for (const std::string& newName : {std::string("photo.x/../../y"), std::string("../y"), std::string("sub/y"),
                                       std::string(""), std::string("."), std::string(".."),
                                       std::string("a\0b", 3)}) {
        const auto failure = RenameInFolder(dir / "in/", "photo.gif", newName, run);
        ASSERT_TRUE(failure.has_value()) << newName;
        EXPECT_EQ(failure->reason, "not a single file name in its folder");
    }
    EXPECT_EQ(ReadFile(dir / "in/photo.gif"), testsupport::kPngBytes);
    EXPECT_FALSE(std::filesystem::exists(PathOf(dir / "y")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf(dir / "in")), {}), 1);
}

}  // namespace
