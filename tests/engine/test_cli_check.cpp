// quorvane-check from the outside: exit codes, output lines, the signature
// file's messages, folders and renaming.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/error_text.h"
#include "tests/engine/cli_test_support.h"

using clitest::CheckCommandTest;
using clitest::RunResult;
using testsupport::Native;
using testsupport::PathOf;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

// The C library's words for a failure, as the program prints them.
std::string Words(const std::string& posixWords) {
#ifdef _WIN32
    if (posixWords == "No such file or directory") return ErrorText(ENOENT);
#endif
    return posixWords;
}

#ifdef _WIN32
const std::string kOddName = "name\xE5\xA0\xB1";  // beyond any ANSI code page but UTF-8
#else
const std::string kOddName = "name\xFF";  // not UTF-8
#endif

TEST_F(CheckCommandTest, PrintsOneLinePerPath) {
    WriteFile(dir / "a.gif", testsupport::kPngBytes);
    WriteFile(dir / "b.png", testsupport::kPngBytes);
    WriteFile(dir / "c.txt", "text");
    WriteFile(dir / (kOddName + ".pdf"), "%PDF-1.4");
    const RunResult result = Run({"a.gif", "b.png", "c.txt", "missing.png", ".", kOddName + ".pdf"});
    EXPECT_EQ(result.exitCode, 4);
    EXPECT_EQ(result.out,
              "mismatch\ta.gif\tPNG image; png\n"
              "match\tb.png\t\n"
              "unknown\tc.txt\t\n"
              "error\tmissing.png\t" + Words("No such file or directory") + "\n"
              "folder\t.\t\n"
              "match\t" + kOddName + ".pdf\t\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(CheckCommandTest, DescendsIntoFoldersOnlyWhenAsked) {
    std::filesystem::create_directories(PathOf(dir / "tree/sub"));
    WriteFile(dir / "tree/z.png", testsupport::kPngBytes);
    WriteFile(dir / "tree/sub/a.pdf", testsupport::kPngBytes);
    EXPECT_EQ(Run({"tree"}).out, "folder\ttree\t\n");
    EXPECT_EQ(Run({"-r", "tree"}).out,
              "mismatch\t" + Native("tree/sub/a.pdf") + "\tPNG image; png\n"
              "match\t" + Native("tree/z.png") + "\t\n");
}

TEST_F(CheckCommandTest, RenamesWithoutEverOverwriting) {
    WriteFile(dir / "a.gif", testsupport::kPngBytes);
    WriteFile(dir / "b.gif", testsupport::kPngBytes);
    WriteFile(dir / "b.png", "occupied");
    const RunResult result = Run({"--rename", "a.gif", "b.gif"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out,
              "renamed\ta.gif\ta.png\n"
              "mismatch\tb.gif\tPNG image; png\n");
    EXPECT_NE(result.err.find("cannot rename b.gif to b.png"), std::string::npos) << result.err;
    EXPECT_EQ(ReadFile(dir / "a.png"), testsupport::kPngBytes);
    EXPECT_EQ(ReadFile(dir / "b.png"), "occupied");
    EXPECT_EQ(ReadFile(dir / "b.gif"), testsupport::kPngBytes);
}

TEST_F(CheckCommandTest, ExitCodesAndSignatureFileMessages) {
    EXPECT_EQ(Run({}).exitCode, 2);
    EXPECT_EQ(Run({"--bogus", "x"}).exitCode, 2);
    const RunResult noFile = Run({"x", "--data"});
    EXPECT_EQ(noFile.exitCode, 2);
    EXPECT_EQ(noFile.err, "quorvane-check: --data needs a file: --data FILE\n");
    for (const char* count : {"0", "1025", "x", "-1"}) {
        const RunResult badCount = Run({"--readers", count, "x"});
        EXPECT_EQ(badCount.exitCode, 2) << count;
        EXPECT_EQ(badCount.err, "quorvane-check: --readers needs a count from 1 to 1024: --readers N\n") << count;
    }
    const RunResult help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage: quorvane-check"), std::string::npos);

    const RunResult missing = Run({"--data", "nothere.dat", "x"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err,
              "ファイル [nothere.dat] が開けません.\nnothere.dat: " + Words("No such file or directory") + "\n");
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(Run({"--data", "", "x"}).err,
              "ファイル [] が開けません.\n'' (an empty file name): " + Words("No such file or directory") + "\n");

    WriteFile(dir / "bad.dat", testsupport::kHeader + "; comment\n0,FF,0\n");
    const RunResult bad = Run({"--data", "bad.dat", "x"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err, "プロファイルのデータエラーです.(Line 4)\n\n[0,FF,0\n]\nbad.dat: line 4: expected 5 commas, found 2\n");
}

TEST_F(CheckCommandTest, LintExitsOneWithAWarningPerLineAndZeroWhenClean) {
    EXPECT_EQ(Run({"--lint", "Quorvane.dat"}).exitCode, 0);
    const std::string userTable = dir / ("config/" + std::string(testsystem::kConfigSubfolder) + "/Quorvane.dat");
    std::filesystem::create_directories(PathOf(dir / ("config/" + std::string(testsystem::kConfigSubfolder))));
    WriteFile(userTable, testsupport::kHeader + "0,4142,0,,A,a\n0,4a,0,,B,b\n");
    const RunResult found = Run({"--lint"});
    EXPECT_EQ(found.exitCode, 1);
    EXPECT_EQ(found.out.rfind(userTable + ":4: pattern '4a' has lower-case", 0), 0u)
        << found.out;
    EXPECT_EQ(std::count(found.out.begin(), found.out.end(), '\n'), 1);
    WriteFile(dir / "bad.dat", testsupport::kHeader + "0,FF,0\n");
    const RunResult bad = Run({"--lint", "bad.dat"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("bad.dat: line 3: expected 5 commas"), std::string::npos) << bad.err;
    EXPECT_EQ(Run({"--lint", "a.dat", "b.dat"}).exitCode, 2);
}

// Paths that cannot be judged are told apart from verdicts, and say so in the exit status.
TEST_F(CheckCommandTest, FailuresHaveTheirOwnWordAndExitStatus) {
    WriteFile(dir / "a.png", testsupport::kPngBytes);
    const bool links = testsystem::HasSymbolicLinks();
    if (links) {
        ASSERT_TRUE(testsystem::MakeSymbolicLink("nowhere", dir / "dangling"));
        ASSERT_TRUE(testsystem::MakeSymbolicLink("loop", dir / "loop"));
    }
    const struct {
        std::string argument, out;
        int exitCode;
        bool needsLinks;
    } cases[] = {
        {"a.png", "match\ta.png\t\n", 0, false},
        {"dangling", "error\tdangling\t" + Words("No such file or directory") + "\n", 4, true},
        {"loop", "error\tloop\t" + Words("Too many levels of symbolic links") + "\n", 4, true},
        {std::string(5000, 'n'), "error\t" + std::string(5000, 'n') + "\t" + Words("File name too long") + "\n", 4,
         false},
    };
    for (const auto& c : cases) {
        if (c.needsLinks && !links) continue;
        RunResult result = Run({c.argument});
#ifdef _WIN32
        // Windows gives a name that long its own reason (Wine: not found); the reason is the system's.
        const std::string lead = "error\t" + std::string(5000, 'n') + "\t";
        if (result.out.rfind(lead, 0) == 0 && result.out.size() > lead.size() + 1 && result.out.back() == '\n') {
            result.out = lead + Words("File name too long") + "\n";
        }
#endif
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.out;
    }
}

// A table in the folder being checked never drives the check unless named;
// the user's own table does.
TEST_F(CheckCommandTest, ATablePlantedInTheCurrentFolderIsIgnored) {
    WriteFile(dir / "a.gif", testsupport::kPngBytes);
    WriteFile(dir / "Quorvane.dat", testsupport::kHeader + "0,,0,,Anything,evil\n");
    std::filesystem::create_directories(PathOf(dir / ("config/" + std::string(testsystem::kConfigSubfolder))));
    WriteFile(dir / ("config/" + std::string(testsystem::kConfigSubfolder) + "/Quorvane.dat"),
              testsupport::kHeader + "0,89504E47,0,,PNG image,png\n");
    ASSERT_EQ(testsystem::RunProgram(Program({"--rename", "a.gif", "Quorvane.dat"})), 0);
    EXPECT_EQ(ReadFile(dir / "out"), "renamed\ta.gif\ta.png\nunknown\tQuorvane.dat\t\n");
}

}  // namespace
