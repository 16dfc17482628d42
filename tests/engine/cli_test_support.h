// Running the built quorvane-check in a folder of its own, with a small table.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/common/test_support.h"

namespace clitest {

using Arguments = std::vector<std::string>;

struct RunResult {
    int exitCode;
    std::string out;
    std::string err;
};

// The variable that names the folder the rename journal is kept in.
#ifdef _WIN32
inline const char* const kStateVariable = "LOCALAPPDATA";
#else
inline const char* const kStateVariable = "XDG_STATE_HOME";
#endif

class CheckCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::WriteFile(dir / "Quorvane.dat", testsupport::kHeader + "0,89504E470D0A1A0A,0,,PNG image,png\n"
                                                                             "0,255044462D,0,,PDF document,pdf\n");
    }
    // Runs in `dir` with its own table unless the arguments name one.
    RunResult Run(const Arguments& arguments, bool unwritableOutput = false) {
        testsystem::ProgramRun run = WithTable(arguments);
        run.unwritableOutput = unwritableOutput;
        const int exitCode = testsystem::RunProgram(run);
        return {exitCode, testsupport::ReadFile(run.outPath), testsupport::ReadFile(run.errPath)};
    }
    // As Run would start it: with the folder's table, standard error to a file.
    testsystem::ProgramRun WithTable(const Arguments& arguments) {
        testsystem::ProgramRun run = Program(arguments);
        if (std::find(arguments.begin(), arguments.end(), "--data") == arguments.end()) {
            run.arguments.insert(run.arguments.begin(), {"--data", "Quorvane.dat"});
        }
        run.errPath = dir / "err";
        return run;
    }
    // With a configuration folder and a rename journal of its own.
    testsystem::ProgramRun Program(const Arguments& arguments) {
        testsystem::ProgramRun run;
        run.program = QUORVANE_CHECK_PATH;
        run.arguments = arguments;
        run.folder = dir.Folder();
        run.environment = {{testsystem::kConfigVariable, dir / "config"}, {kStateVariable, dir / "state"}};
        run.outPath = dir / "out";
        return run;
    }
    testsupport::TempDir dir;
};

}  // namespace clitest
