// The program's start: the command line's paths, made absolute, reach the new
// main window as a drop of them would, and "--check" first checks them.
#include <string>
#include <vector>

#include "gui_test_support.h"
#include "window/checker_app.h"

namespace {

// Arguments as a shell gives them in the files folder: relative, a folder
// with the separator completion adds.
TEST_F(WaysIn, CommandLineGivesTheRowsADropGives) {
    MakeFiles();
    std::vector<std::string> arguments = {"quorvane"};
    for (const PathCase& c : kPathCases) arguments.push_back(c.isFolder ? c.path + "/" : "./" + c.path);
    fs::current_path(m_files.Path());
    const CommandLine commandLine = ParseCommandLine(arguments);
    fs::current_path(m_work.Path());
    EXPECT_FALSE(commandLine.checkAtOnce);
    m_window = OpenMainWindow(commandLine);
    ASSERT_TRUE(PumpUntil([this] { return m_window->IsShownOnScreen(); }));
    ExpectTheRowsADropGives();
}

// "--check" counts only as the first argument; elsewhere, or spelled as a
// path, it is a file's name.
TEST(CommandLineTest, CheckOnlyAsTheFirstArgument) {
    const struct {
        std::vector<std::string> arguments;
        bool checkAtOnce;
        size_t paths;
    } cases[] = {
        {{"quorvane"}, false, 0},
        {{"quorvane", "--check"}, true, 0},
        {{"quorvane", "--check", "a", "b"}, true, 2},
        {{"quorvane", "a", "--check"}, false, 2},
        {{"quorvane", "./--check"}, false, 1},
        {{"quorvane", "--check", "--check"}, true, 1},
    };
    for (const auto& c : cases) {
        const CommandLine commandLine = ParseCommandLine(c.arguments);
        EXPECT_EQ(commandLine.checkAtOnce, c.checkAtOnce) << c.arguments.size();
        EXPECT_EQ(commandLine.paths.size(), c.paths) << c.arguments.size();
    }
}

// As the file manager's "Check with Quorvane" starts it on a folder and a
// file: the files below the folder and the file come in, and are checked.
TEST_F(WaysIn, CheckFromTheCommandLineChecksTheFilesOfAFolder) {
    MakeFiles();
    m_files.Write("loose.gif", "GIF89a");
    m_window = OpenMainWindow(ParseCommandLine(
        {"quorvane", "--check", (m_files.Path() / "Photos").string(), (m_files.Path() / "loose.gif").string()}));
    ASSERT_TRUE(PumpUntil([this] {
        return m_window->State().Rows().StatusText() == "All File : 2  CheckFile : 2";
    })) << m_window->State().Rows().StatusText();
    EXPECT_EQ(Rows().GetText(0, kColumnFileName), "holiday.jpg");
    EXPECT_EQ(Rows().GetText(1, kColumnFileName), "loose.gif");
}

}  // namespace
