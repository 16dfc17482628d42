// quorvane-check and its rename journal from the outside: a journal that is
// no regular file is refused at once by a rename and by an undo, never
// followed or waited on, and records of programs appending at once stay whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "engine/journal_format.h"
#include "tests/engine/cli_test_support.h"

using clitest::Arguments;
using clitest::CheckCommandTest;
using clitest::RunResult;
using testsupport::Native;
using testsupport::PathOf;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

#ifdef _WIN32
const std::string kJournalFolder = "state/Quorvane";
#else
const std::string kJournalFolder = "state/quorvane";
#endif

enum class Hostile { Fifo, LinkToZeroDevice, LinkToRegularFile, Folder };

struct HostileCase {
    const char* name;
    Hostile journal;
    std::string reason;  // why both the rename and the undo refuse it
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

class HostileJournal : public CheckCommandTest, public ::testing::WithParamInterface<HostileCase> {
protected:
    // On POSIX under a time limit: a run that waits on the journal fails
    // (status 124 or 137) instead of hanging the tests.
    RunResult RunLimited(const Arguments& arguments) {
        testsystem::ProgramRun run = WithTable(arguments);
#ifndef _WIN32
        run.arguments.insert(run.arguments.begin(), {"-k", "5", "20", run.program});
        run.program = "timeout";
#endif
        const int exitCode = testsystem::RunProgram(run);
        return {exitCode, ReadFile(run.outPath), ReadFile(run.errPath)};
    }
};

TEST_P(HostileJournal, IsRefusedAtOnceByRenameAndUndo) {
    const HostileCase& c = GetParam();
    std::filesystem::create_directories(PathOf(dir / kJournalFolder));
    const std::string journal = dir / (kJournalFolder + "/renames.log");
    std::unique_ptr<testsystem::Fifo> fifo;
    const bool link = c.journal == Hostile::LinkToZeroDevice || c.journal == Hostile::LinkToRegularFile;
    if (link && !testsystem::HasSymbolicLinks()) {
        GTEST_SKIP() << "this system makes no symbolic links without special rights";
    }
    switch (c.journal) {
        case Hostile::Fifo:
#ifdef _WIN32
            GTEST_SKIP() << "a Windows pipe lives in \\\\.\\pipe\\, never in a folder";
#endif
            fifo = std::make_unique<testsystem::Fifo>(journal);
            ASSERT_TRUE(fifo->Made());
            break;
        case Hostile::LinkToZeroDevice:
            ASSERT_TRUE(testsystem::MakeSymbolicLink(testsystem::kZeroDevice, journal));
            break;
        case Hostile::LinkToRegularFile:
            WriteFile(dir / "elsewhere.log", "");
            ASSERT_TRUE(testsystem::MakeSymbolicLink(dir / "elsewhere.log", journal));
            break;
        case Hostile::Folder: std::filesystem::create_directory(PathOf(journal)); break;
    }
    WriteFile(dir / "a.gif", testsupport::kPngBytes);

    // The file is renamed all the same; only its record is missing.
    const RunResult renamed = RunLimited({"--rename", "a.gif"});
    EXPECT_EQ(renamed.exitCode, 6);
    EXPECT_EQ(renamed.out, "renamed\ta.gif\ta.png\n");
    EXPECT_EQ(renamed.err, "quorvane-check: renamed, but not journalled (cannot be undone): cannot open " + journal +
                               ": " + c.reason + "\n");
    EXPECT_EQ(ReadFile(dir / "a.png"), testsupport::kPngBytes);

    const RunResult undone = RunLimited({"--undo"});
    EXPECT_EQ(undone.exitCode, 3);
    EXPECT_EQ(undone.out, "");
    EXPECT_EQ(undone.err, "quorvane-check: Nothing to undo: cannot read " + journal + ": " + c.reason + "\n");
    if (c.journal == Hostile::LinkToRegularFile) {
        EXPECT_EQ(ReadFile(dir / "elsewhere.log"), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Journals, HostileJournal,
    ::testing::Values(HostileCase{"Fifo", Hostile::Fifo, "not a regular file"},
                      HostileCase{"LinkToZeroDevice", Hostile::LinkToZeroDevice, "a symbolic link, not a regular file"},
                      HostileCase{"LinkToRegularFile", Hostile::LinkToRegularFile,
                                  "a symbolic link, not a regular file"},
                      HostileCase{"Folder", Hostile::Folder, "not a regular file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A line an undo could not read is named; when it may have been a rename of
// the run taken back, the undo ends with a failure status.
TEST_F(CheckCommandTest, UndoNamesTheDamagedLinesItPassedOver) {
    WriteFile(dir / "a.gif", testsupport::kPngBytes);
    ASSERT_EQ(Run({"--rename", "a.gif"}).exitCode, 0);
    const std::string journal = dir / (kJournalFolder + "/renames.log");
    const std::string text = ReadFile(journal);
    const size_t lastLine = text.rfind('\n', text.size() - 2) + 1;
    // Another rename of the same run, cut short by a failed write.
    WriteFile(journal, text + text.substr(lastLine, 40));

    const RunResult undone = Run({"--undo"});
    EXPECT_EQ(undone.exitCode, 3);
    EXPECT_NE(undone.err.find("quorvane-check: line 4 of renames.log is damaged: skipped\n"), std::string::npos)
        << undone.err;
    EXPECT_EQ(ReadFile(dir / "a.gif"), testsupport::kPngBytes);
}

#ifndef _WIN32  // records this long need a folder path beyond Windows' 260 characters
// Four programs renaming at once, each record longer than a stdio buffer:
// every line of the journal is a whole record, and none is missing.
TEST_F(CheckCommandTest, RecordsOfProgramsAppendingAtOnceStayWhole) {
    // Every byte of a letter beyond ASCII is journalled as %XX: twelve folders
    // of 120 such letters (two bytes each) make records of about 8.7 KB.
    std::string letters;
    for (int i = 0; i < 120; ++i) letters += "\xC3\xA9";
    std::string deep;
    for (int i = 0; i < 12; ++i) deep += letters + "/";
    constexpr int kPrograms = 4;
    constexpr int kFilesEach = 200;
    for (int p = 0; p < kPrograms; ++p) {
        const std::string folder = deep + std::to_string(p);
        std::filesystem::create_directories(PathOf(dir / folder));
        for (int f = 0; f < kFilesEach; ++f) {
            WriteFile(dir / (folder + "/" + std::to_string(f) + ".gif"), testsupport::kPngBytes);
        }
    }

    std::vector<int> exitCodes(kPrograms, -1);
    std::vector<std::thread> programs;
    for (int p = 0; p < kPrograms; ++p) {
        testsystem::ProgramRun run = WithTable({"--rename", "-r", deep + std::to_string(p)});
        run.outPath = dir / ("out" + std::to_string(p));
        run.errPath = dir / ("err" + std::to_string(p));
        programs.emplace_back([run, &exitCodes, p] { exitCodes[p] = testsystem::RunProgram(run); });
    }
    for (std::thread& program : programs) program.join();
    for (int p = 0; p < kPrograms; ++p) {
        EXPECT_EQ(exitCodes[p], 0) << ReadFile(dir / ("err" + std::to_string(p)));
    }

    const std::string journal = ReadFile(dir / (kJournalFolder + "/renames.log"));
    size_t records = 0;
    size_t longest = 0;
    for (size_t start = 0, end; (end = journal.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = journal.substr(start, end - start);
        // An empty line is a cut line's mend that met another program's write: harmless.
        if (line.empty() || IsJournalComment(line)) continue;
        ASSERT_TRUE(DecodeJournalRecord(line)) << "a spliced line at byte " << start;
        ++records;
        longest = std::max(longest, line.size());
    }
    EXPECT_EQ(records, static_cast<size_t>(kPrograms * kFilesEach));
    EXPECT_GT(longest, 8192u);
}
#endif

}  // namespace
