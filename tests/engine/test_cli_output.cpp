// quorvane-check when its output cannot be written: a full disk, or a reader
// that has gone (`quorvane-check ... | head -1`). It ends with status 5 after
// writing what it could, and stops judging and renaming.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/engine/cli_test_support.h"

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

using clitest::Arguments;
using clitest::CheckCommandTest;
using clitest::RunResult;
using testsupport::PathOf;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

enum class Sink {
    FullDevice,                // every write fails: /dev/full on Linux, a handle without write access on Windows
    PipeClosedAtStart,         // a pipe nobody reads
    PipeClosedAfterFirstRead,  // a reader that takes what first arrives and goes, as head -1 does
};

std::string SinkName(Sink sink) {
    switch (sink) {
        case Sink::FullDevice: return "FullDevice";
        case Sink::PipeClosedAtStart: return "PipeClosedAtStart";
        case Sink::PipeClosedAfterFirstRead: return "PipeClosedAfterFirstRead";
    }
    return "?";
}

void PrintTo(Sink sink, std::ostream* out) { *out << SinkName(sink); }

#ifndef _WIN32
// Starts `run` with standard output a pipe whose reader goes at start or
// after the first line. The program starts with SIGPIPE's default action, as
// from a shell, so a program that does not guard against it is killed: then
// the status is 128 and the signal's number, as a shell gives it.
RunResult RunIntoClosingPipe(const testsystem::ProgramRun& run, bool readFirstLine) {
    // Everything the child needs is made before fork: after it, only calls safe in a forked child.
    std::vector<std::string> texts = {run.program};
    texts.insert(texts.end(), run.arguments.begin(), run.arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (const auto& [name, value] : run.environment) variables.push_back(name + "=" + value);
    for (char** entry = environ; *entry; ++entry) variables.emplace_back(*entry);  // earlier entries win
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    int ends[2];
    if (pipe(ends) != 0) return {-1, "", "pipe failed"};
#ifdef F_SETPIPE_SZ
    // The smallest pipe, so the writer meets the closed end early whatever the system's default.
    fcntl(ends[1], F_SETPIPE_SZ, 4096);
#endif
    if (!readFirstLine) close(ends[0]);
    const int err = open(run.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const pid_t child = fork();
    if (child == 0) {
        if (readFirstLine) close(ends[0]);
        dup2(ends[1], STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        signal(SIGPIPE, SIG_DFL);
        if (chdir(run.folder.c_str()) == 0) execve(run.program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(ends[1]);
    close(err);
    std::string out;
    if (readFirstLine) {
        char buffer[4096];
        ssize_t got;
        while (out.find('\n') == std::string::npos && (got = read(ends[0], buffer, sizeof buffer)) > 0) {
            out.append(buffer, static_cast<size_t>(got));
        }
        close(ends[0]);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return {-1, out, "could not run"};
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return {exitCode, out, ReadFile(run.errPath)};
}
#endif

class OutputFailureTest : public CheckCommandTest, public ::testing::WithParamInterface<Sink> {
protected:
    RunResult RunInto(const Arguments& arguments) {
        if (GetParam() == Sink::FullDevice) return Run(arguments, true);
#ifdef _WIN32
        return {-1, "", "no pipes here"};
#else
        return RunIntoClosingPipe(WithTable(arguments), GetParam() == Sink::PipeClosedAfterFirstRead);
#endif
    }
};

const std::string kWriteFailure = "cannot write the output";

// Every command finishes its output the same way; status 5 only when
// something was to be written, and a higher status still wins.
using FailingOutputTest = OutputFailureTest;

TEST_P(FailingOutputTest, EveryCommandEndsWithStatusFive) {
    WriteFile(dir / "a.png", testsupport::kPngBytes);
    WriteFile(dir / "b.gif", testsupport::kPngBytes);
    WriteFile(dir / "warn.dat", testsupport::kHeader + "0,4a,0,,B,b\n");
    WriteFile(dir / "bad.dat", testsupport::kHeader + "0,FF,0\n");
    ASSERT_EQ(Run({"--rename", "b.gif"}).exitCode, 0);  // a run for --undo to take back
    const struct {
        Arguments arguments;
        int exitCode;
    } cases[] = {
        {{"a.png"}, 5},
        {{"--json", "a.png"}, 5},
        {{"missing.png"}, 5},  // not judged (4) as well
        {{"--lint", "warn.dat"}, 5},
        {{"--help"}, 5},
        {{"--version"}, 5},
        {{"--undo"}, 5},
        {{"--data", "bad.dat", "a.png"}, 1},  // nothing was written
        {{"--bogus"}, 2},
    };
    for (const auto& c : cases) {
        const RunResult result = RunInto(c.arguments);
        const std::string shown = c.arguments.front();
        EXPECT_EQ(result.exitCode, c.exitCode) << shown << ": " << result.err;
        EXPECT_EQ(result.err.find(kWriteFailure) != std::string::npos, c.exitCode == 5) << shown << ": " << result.err;
    }
    // The undo went through to the end all the same.
    EXPECT_EQ(ReadFile(dir / "b.gif"), testsupport::kPngBytes);
}

// With the output failed a run stops: files after that point keep their
// names. A reader that took the first record got it whole, naming a rename made.
using StoppingRunTest = OutputFailureTest;

TEST_P(StoppingRunTest, ARenameRunStopsOnceItsOutputFails) {
    constexpr int kFiles = 200;
    std::filesystem::create_directory(PathOf(dir / "in"));
    const std::string stem(100, 'n');
    for (int i = 0; i < kFiles; ++i) {
        WriteFile(dir / ("in/" + stem + std::to_string(1000 + i) + ".gif"), testsupport::kPngBytes);
    }

    const RunResult result = RunInto({"--rename", "-r", "in"});
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_NE(result.err.find(kWriteFailure), std::string::npos) << result.err;

    int renamed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(dir / "in"))) {
        renamed += entry.path().extension() == ".png";
    }
    EXPECT_GT(kFiles - renamed, kFiles / 2) << "renamed " << renamed << " of " << kFiles;

    if (GetParam() == Sink::PipeClosedAfterFirstRead) {
        ASSERT_NE(result.out.find('\n'), std::string::npos) << "the first record arrives whole";
        const std::string first = result.out.substr(0, result.out.find('\n'));
        ASSERT_EQ(first.rfind("renamed\t", 0), 0u) << first;
        EXPECT_TRUE(std::filesystem::exists(PathOf(dir / first.substr(first.rfind('\t') + 1)))) << first;
    }
}

std::string ParamName(const ::testing::TestParamInfo<Sink>& info) { return SinkName(info.param); }

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Sinks, FailingOutputTest, ::testing::Values(Sink::FullDevice), ParamName);
INSTANTIATE_TEST_SUITE_P(Sinks, StoppingRunTest, ::testing::Values(Sink::FullDevice), ParamName);
#else
INSTANTIATE_TEST_SUITE_P(Sinks, FailingOutputTest, ::testing::Values(Sink::FullDevice, Sink::PipeClosedAtStart),
                         ParamName);
INSTANTIATE_TEST_SUITE_P(Sinks, StoppingRunTest,
                         ::testing::Values(Sink::FullDevice, Sink::PipeClosedAfterFirstRead), ParamName);
#endif

}  // namespace
