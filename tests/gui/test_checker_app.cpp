// The program's start: the command line's paths, made absolute, reach the new main window as a drop of them would.
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
    const std::vector<std::string> paths = CommandLinePaths(arguments);
    fs::current_path(m_work.Path());
    m_window = OpenMainWindow(paths);
    ASSERT_TRUE(PumpUntil([this] { return m_window->IsShownOnScreen(); }));
    ExpectTheRowsADropGives();
}

}  // namespace
