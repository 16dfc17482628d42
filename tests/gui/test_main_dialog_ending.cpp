// Ending the main window: Exit at once during a check, Enter and Escape never close it, ending during Auto Rename.
#include <chrono>
#include <string>
#include <vector>

#include <wx/uiaction.h>

#include "gui_test_support.h"
#include "list/run_state.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"

#ifndef _WIN32
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <thread>

#include "engine/journal_reader.h"
#include "platform/close_signals.h"

extern char** environ;
#endif

namespace {

TEST_F(MainWindowTest, ExitDuringCheckRunEndsAtOnceAndWritesProfile) {
    CMainDialog* window = OpenWindow();
    const fs::path file = m_files.Write("same.gif", kPngBytes);
    // One file many times over: a run long enough to be caught in the middle.
    DropPaths(std::vector<fs::path>(60000, file));
    WaitUntilIdle();
    window->SetSize(480, 320);
    ASSERT_TRUE(PumpUntil([window] { return window->GetSize() == wxSize(480, 320); }));
    SendCommand(ID_TOOL_CHECK);
    ASSERT_TRUE(Runs().CheckRunning()) << "the run ended before Exit could be tried";
    SendCommand(ID_FILE_EXIT);  // no box is expected
    ASSERT_TRUE(PumpUntil([this] { return WindowGone(); }));
    const std::string profile = ReadFile(ProfileFile());
    EXPECT_NE(profile.find("XSize=480"), std::string::npos) << profile;
    EXPECT_NE(profile.find("YSize=320"), std::string::npos) << profile;
}

// Enter renames only rows with a proposal: unchecked rows have none.
TEST_F(MainWindowTest, EnterAndEscapeNeitherCloseNorRename) {
    CMainDialog* window = OpenWindow();
    for (const char* name : {"a.gif", "b.gif", "c.gif"}) DropPaths({m_files.Write(name, "GIF89a")});
    WaitUntilIdle();
    window->SetSize(400, 300);
    ASSERT_TRUE(PumpUntil([window] { return window->GetSize() == wxSize(400, 300); }));
    CFileListView* list = window->FileListView();
    list->FocusRow(0, true);
    window->Raise();
    list->SetFocus();
    Pump();

    wxUIActionSimulator keys;
    // The keyboard does reach the list: Down moves the selection.
    keys.Char(WXK_DOWN);
    ASSERT_TRUE(PumpUntil([this] { return Rows().IsSelected(1); }, std::chrono::seconds(5)))
        << "key presses do not reach the list; the rest of this test would prove nothing";

    // No dialog is expected: a rename dialog or a box would fail the test.
    keys.Char(WXK_RETURN);
    keys.Char(WXK_ESCAPE);
    keys.Char(WXK_NUMPAD_ENTER);
    for (int i = 0; i < 20; ++i) Pump();
    ASSERT_FALSE(WindowGone());
    EXPECT_TRUE(window->IsShown());
    EXPECT_TRUE(fs::exists(m_files.Path() / "b.gif"));
}

#ifndef _WIN32
// Ending the program while Auto Rename runs: closing the window, or SIGTERM,
// which closes it as its close box does. The run stops between two files and
// the process ends only after the rename under way has its journal record.
// A child process plays the program, so the test sees the end of a process.

constexpr int kFiles = 20000;
constexpr char kFolderVariable[] = "QUORVANE_ENDING_FOLDER";
constexpr char kHowVariable[] = "QUORVANE_ENDING_HOW";

bool AnyRenamed(const fs::path& folder) { return fs::exists(folder / "f0.png"); }

// The child's part, run only when the parent starts it: the real window, the
// files dropped, checked and all renamed, and the end once the first is renamed.
TEST_F(MainWindowTest, DISABLED_EndingScene) {
    const char* folder = std::getenv(kFolderVariable);
    const char* how = std::getenv(kHowVariable);
    ASSERT_TRUE(folder && how);
    InstallCloseSignalHandlers();
    OpenWindow();
    std::vector<fs::path> paths;
    for (int i = 0; i < kFiles; ++i) paths.push_back(fs::path(folder) / ("f" + std::to_string(i) + ".gif"));
    DropPaths(paths);
    SendCommand(ID_TOOL_CHECK);
    WaitUntilIdle();
    m_window->FileListView()->SelectAllRows();
    SendCommand(ID_TOOL_AUTORENAME);
    if (std::string(how) == "close") {
        ASSERT_TRUE(PumpUntil([&] { return AnyRenamed(folder); }));
        m_window->Close();
    }
    // A signal closes the window from its view timer.
    ASSERT_TRUE(PumpUntil([this] { return WindowGone(); }, std::chrono::seconds(60)));
}

struct EndingCase {
    const char* name;
    const char* how;
};

class EndingDuringAutoRename : public ::testing::TestWithParam<EndingCase> {};

TEST_P(EndingDuringAutoRename, LeavesEveryRenamedFileJournalled) {
    TempDir files;
    TempDir state;
    for (int i = 0; i < kFiles; ++i) files.Write("f" + std::to_string(i) + ".gif", kPngBytes);

    std::vector<std::string> environment = {std::string(kFolderVariable) + "=" + files.Path().string(),
                                            std::string(kHowVariable) + "=" + GetParam().how,
                                            "XDG_STATE_HOME=" + state.Path().string()};
    for (char** variable = environ; *variable; ++variable) {
        if (std::string(*variable).rfind("XDG_STATE_HOME=", 0) != 0) environment.push_back(*variable);
    }
    std::vector<char*> envp;
    for (std::string& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string program = fs::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=MainWindowTest.DISABLED_EndingScene";
    std::string disabled = "--gtest_also_run_disabled_tests";
    char* argv[] = {program.data(), filter.data(), disabled.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, envp.data()), 0);

    if (std::string(GetParam().how) == "sigterm") {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!AnyRenamed(files.Path()) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_TRUE(AnyRenamed(files.Path()));
        kill(child, SIGTERM);
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            FAIL() << "the program did not end";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;

    std::set<std::string> renamed;
    for (const auto& entry : fs::directory_iterator(files.Path())) {
        if (entry.path().extension() == ".png") renamed.insert(entry.path().filename().string());
    }
    std::set<std::string> journalled;
    for (const JournalRecord& record :
         ReadJournalRun((state.Path() / "quorvane" / "renames.log").string(), "").ValueOr({}).records) {
        journalled.insert(record.newName);
    }
    EXPECT_FALSE(renamed.empty());
    EXPECT_EQ(renamed, journalled);
    RecordProperty("renamed", static_cast<int>(renamed.size()));
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingDuringAutoRename,
                         ::testing::Values(EndingCase{"CloseBox", "close"}, EndingCase{"Sigterm", "sigterm"}),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

}  // namespace
