#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/journal_reader.h"
#include "engine/rename.h"
#include "tests/common/test_support.h"
#include "tests/common/test_system.h"

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
    const Result<JournalRun> journalled = ReadJournalRun(journal, run.Id());
    ASSERT_TRUE(journalled) << journalled.GetFailure().reason;
    const std::vector<JournalRecord>& records = journalled->records;
    ASSERT_EQ(records.size(), c.names.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].folder, dir.Folder());
        EXPECT_EQ(records[i].oldName, c.names[i]);
        EXPECT_EQ(records[i].newName, Png(c.names[i]));
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
        // A second undo walks back to the run before, never re-doing the undo;
        // named, the undo run is taken back like any other.
        RenameRun again(journal);
        EXPECT_EQ(UndoRenameRun("", again).notice, "Nothing to undo: every run in " + journal + " has been taken back");
        for (const std::string& name : c.names) EXPECT_EQ(ReadFile(dir / name), Content(name)) << name;
        RenameRun redo(journal);
        EXPECT_TRUE(UndoRenameRun(undo.Id(), redo).failures.empty());
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

// After a.gif -> a.png in folder "in", the world changes; undo takes the
// rename back only when a.png is still that file in that folder.
enum class Change { Nothing, LinkSwap, MovedAndRecreated, Grown, FolderReplaced, FolderLink, DotDotRecord, OldRecord };

struct ChangedWorld {
    const char* name;
    Change change;
    std::string refusal;  // empty: undone
};

void PrintTo(const ChangedWorld& c, std::ostream* os) { *os << c.name; }

class UndoIdentity : public ::testing::TestWithParam<ChangedWorld> {};

TEST_P(UndoIdentity, TakesBackOnlyTheFileItRenamed) {
    const ChangedWorld& c = GetParam();
    const bool link = c.change == Change::LinkSwap || c.change == Change::FolderLink;
    if (link && !testsystem::HasSymbolicLinks()) GTEST_SKIP() << "no symbolic links on this system";
    TempDir dir;
    const std::string journal = dir / "renames.log";
    std::filesystem::create_directory(PathOf(dir / "in"));
    WriteFile(dir / "in/a.gif", "the renamed file");
    WriteFile(dir / "victim", "not to be touched");
    if (c.change == Change::DotDotRecord || c.change == Change::OldRecord) {
        // Written by hand, or by a program that noted no identity.
        const std::string newName = c.change == Change::DotDotRecord ? "..%2Fvictim" : "a.png";
        WriteFile(journal, "2026-01-31T12:00:00Z\trun\t" + dir / "in/" + "\ta.gif\t" + newName + "\n");
        std::filesystem::rename(PathOf(dir / "in/a.gif"), PathOf(dir / "in/a.png"));
    } else {
        RenameRun run(journal);
        ASSERT_EQ(RenameInFolder(dir / "in/", "a.gif", "a.png", run), std::nullopt);
    }
    switch (c.change) {
        case Change::LinkSwap:
            // Moved, not removed: a removed file's number may be given to the link.
            std::filesystem::rename(PathOf(dir / "in/a.png"), PathOf(dir / "moved.png"));
            ASSERT_TRUE(testsystem::MakeSymbolicLink(dir / "victim", dir / "in/a.png"));
            break;
        case Change::MovedAndRecreated:
            std::filesystem::rename(PathOf(dir / "in/a.png"), PathOf(dir / "moved.png"));
            WriteFile(dir / "in/a.png", "the renamed file");
            break;
        case Change::Grown: WriteFile(dir / "in/a.png", "the renamed file, and more"); break;
        case Change::FolderReplaced:
        case Change::FolderLink:
            std::filesystem::rename(PathOf(dir / "in"), PathOf(dir / "was-in"));
            std::filesystem::create_directory(PathOf(dir / (c.change == Change::FolderLink ? "other" : "in")));
            WriteFile(dir / (c.change == Change::FolderLink ? "other/a.png" : "in/a.png"), "the renamed file");
            if (c.change == Change::FolderLink) {
                ASSERT_TRUE(testsystem::MakeSymbolicLink(dir / "other", dir / "in"));
            }
            break;
        default: break;
    }
    const std::string before = ReadFile(dir / "in/a.png");

    RenameRun undo(journal);
    const RenameRunReport report = UndoRenameRun("", undo);
    EXPECT_EQ(report.notice, "");
    EXPECT_EQ(ReadFile(dir / "victim"), "not to be touched");
    if (c.refusal.empty()) {
        EXPECT_TRUE(report.failures.empty());
        EXPECT_EQ(ReadFile(dir / "in/a.gif"), "the renamed file");
        EXPECT_EQ(report.warnings.size(), c.change == Change::OldRecord ? 1u : 0u);
        return;
    }
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0].reason, c.refusal);
    EXPECT_EQ(ReadFile(dir / "in/a.png"), before);
    EXPECT_FALSE(std::filesystem::exists(PathOf(dir / "in/a.gif")));
}

INSTANTIATE_TEST_SUITE_P(
    Worlds, UndoIdentity,
    ::testing::Values(ChangedWorld{"NothingChanged", Change::Nothing, ""},
                      ChangedWorld{"ALinkTookTheName", Change::LinkSwap, "another file has taken this name"},
                      ChangedWorld{"MovedAwayAndRecreated", Change::MovedAndRecreated,
                                   "another file has taken this name"},
                      ChangedWorld{"ChangedSinceItWasRenamed", Change::Grown,
                                   "the file has changed since it was renamed"},
                      ChangedWorld{"FolderReplaced", Change::FolderReplaced,
                                   "the folder is not the one the file was renamed in"},
                      ChangedWorld{"FolderReplacedByALink", Change::FolderLink,
                                   "the folder is not the one the file was renamed in"},
                      ChangedWorld{"ARecordLeavingItsFolder", Change::DotDotRecord,
                                   "the journal's names are not single names in one folder"},
                      ChangedWorld{"AnOldRecordByNameAlone", Change::OldRecord, ""}),
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
