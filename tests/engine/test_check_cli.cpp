// quorvane-check from the outside: exit codes, output lines, the signature
// file's messages, folders and renaming.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/error_text.h"
#include "tests/common/test_support.h"

using testsupport::PathOf;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct RunResult {
    int exitCode;
    std::string out;
    std::string err;
};

using Arguments = std::vector<std::string>;

using testsupport::Native;

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

class CheckCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(dir / "Quorvane.dat", testsupport::kHeader + "0,89504E470D0A1A0A,0,,PNG image,png\n"
                                                               "0,255044462D,0,,PDF document,pdf\n");
    }
    // Runs in `dir` with its own table unless the arguments name one, and
    // with a configuration folder of its own.
    RunResult Run(const Arguments& arguments, bool unwritableOutput = false) {
        testsystem::ProgramRun run = Program(arguments);
        if (std::find(arguments.begin(), arguments.end(), "--data") == arguments.end()) {
            run.arguments.insert(run.arguments.begin(), {"--data", "Quorvane.dat"});
        }
        run.errPath = dir / "err";
        run.unwritableOutput = unwritableOutput;
        const int exitCode = testsystem::RunProgram(run);
        return {exitCode, ReadFile(dir / "out"), ReadFile(dir / "err")};
    }
    testsystem::ProgramRun Program(const Arguments& arguments) {
        testsystem::ProgramRun run;
        run.program = QUORVANE_CHECK_PATH;
        run.arguments = arguments;
        run.folder = dir.Folder();
        run.environment = {{testsystem::kConfigVariable, dir / "config"}};
        run.outPath = dir / "out";
        return run;
    }
    TempDir dir;
};

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
    const RunResult full = Run({"a.png"}, true);
    EXPECT_EQ(full.exitCode, 5);
    EXPECT_NE(full.err.find("cannot write the output"), std::string::npos) << full.err;
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

namespace {

// Undoes the escapes quorvane-check's JSON strings use.
std::string JsonStringValue(const std::string& object, const std::string& key) {
    const std::string opening = "\"" + key + "\":\"";
    size_t i = object.find(opening);
    if (i == std::string::npos) return "<absent>";
    std::string value;
    for (i += opening.size(); i < object.size() && object[i] != '"'; ++i) {
        if (object[i] != '\\') {
            value += object[i];
            continue;
        }
        const char e = object[++i];
        if (e == 'n') value += '\n';
        else if (e == 't') value += '\t';
        else if (e == 'r') value += '\r';
        else if (e == 'u') value += static_cast<char>(std::stoi(object.substr(i + 1, 4), nullptr, 16)), i += 4;
        else value += e;
    }
    return value;
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

TEST_F(CheckCommandTest, NullAndJsonRecordsGiveEveryNameBack) {
#ifdef _WIN32
    // Windows allows no control characters in names.
    const std::vector<std::string> names = {"sp ace.gif", "caf\xC3\xA9.gif", "\xE5\xA0\xB1.gif", "plain.gif"};
#else
    const std::vector<std::string> names = {"tab\there.gif", "new\nline.gif", "caf\xE9.gif", "plain.gif"};
#endif
    std::filesystem::create_directory(PathOf(dir / "in"));
    for (const std::string& name : names) WriteFile(dir / ("in/" + name), testsupport::kPngBytes);

    // -0: only NUL ends a record; the verdict leads and the type closes it, so
    // the path is what lies between, tabs and all.
    const RunResult nul = Run({"-0", "-r", "in"});
    ASSERT_EQ(nul.exitCode, 0) << nul.err;
    std::vector<std::string> fromNul;
    for (size_t start = 0, end; (end = nul.out.find('\0', start)) != std::string::npos; start = end + 1) {
        const std::string record = nul.out.substr(start, end - start);
        EXPECT_EQ(record.substr(0, record.find('\t')), "mismatch");
        EXPECT_EQ(record.substr(record.rfind('\t') + 1), "PNG image; png");
        fromNul.push_back(record.substr(record.find('\t') + 1, record.rfind('\t') - record.find('\t') - 1));
    }
    EXPECT_EQ(nul.out.find('\n', nul.out.find("line") + 5), std::string::npos);

    // --json: one object a line; the path text, or its raw bytes when it is not UTF-8.
    const RunResult json = Run({"--json", "-r", "in"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    std::vector<std::string> fromJson;
    size_t lines = 0;
    for (size_t start = 0, end; (end = json.out.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string object = json.out.substr(start, end - start);
        ++lines;
        EXPECT_EQ(JsonStringValue(object, "verdict"), "mismatch");
        EXPECT_EQ(JsonStringValue(object, "extension"), "png");
        const std::string bytes = JsonStringValue(object, "path_bytes");
        fromJson.push_back(bytes == "<absent>" ? JsonStringValue(object, "path") : FromHex(bytes));
        const std::string proposedBytes = JsonStringValue(object, "proposed_name_bytes");
        const std::string proposed =
            proposedBytes == "<absent>" ? JsonStringValue(object, "proposed_name") : FromHex(proposedBytes);
        EXPECT_EQ(proposed, fromJson.back().substr(3, fromJson.back().size() - 7) + ".png");
    }
    EXPECT_EQ(lines, names.size());
    for (const std::string& name : names) {
        EXPECT_EQ(std::count(fromNul.begin(), fromNul.end(), Native("in/" + name)), 1) << name;
        EXPECT_EQ(std::count(fromJson.begin(), fromJson.end(), Native("in/" + name)), 1) << name;
    }
}

}  // namespace
