// The help page: both Help commands open html/index.htm of the current folder; without it nothing opens.
#include <cstdlib>
#include <string>

#include "gui_test_support.h"
#include "window/resource_ids.h"

namespace {

// A stand-in for the desktop's opener, first on PATH, that writes down what
// it was asked to open.
class HelpTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        const fs::path opener = m_tools.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.opened\"\n");
        fs::permissions(opener, fs::perms::owner_all);
        setenv("PATH", (m_tools.Path().string() + ":" + m_oldPath).c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", m_oldPath.c_str(), 1);
        MainWindowTest::TearDown();
    }
    fs::path Opened() const { return m_tools.Path() / "xdg-open.opened"; }

    TempDir m_tools;
    std::string m_oldPath;
};

struct HelpCommandCase {
    const char* name;
    int command;
};

class HelpCommand : public HelpTest, public ::testing::WithParamInterface<HelpCommandCase> {};

// About > Help, and the framework's own Help command, which the application serves.
TEST_P(HelpCommand, OpensThePageOfTheCurrentFolder) {
    fs::create_directory(m_work.Path() / "html");
    m_work.Write("html/index.htm", "<html></html>");
    OpenWindow();
    SendCommand(GetParam().command);
    ASSERT_TRUE(PumpUntil([this] { return fs::exists(Opened()) && !ReadFile(Opened()).empty(); }));
    const std::string opened = ReadFile(Opened());
    const std::string page = (m_work.Path() / "html" / "index.htm").string();
    EXPECT_EQ(opened, page);
}

INSTANTIATE_TEST_SUITE_P(Commands, HelpCommand,
                         ::testing::Values(HelpCommandCase{"HelpIndex", ID_HELP_INDEX},
                                           HelpCommandCase{"FrameworkHelp", ID_HELP}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpTest, MissingPageOpensNothingAndSaysNothing) {
    OpenWindow();  // the current folder has no html folder
    SendCommand(ID_HELP_INDEX);
    for (int i = 0; i < 50; ++i) Pump();
    EXPECT_FALSE(fs::exists(Opened()));
}

}  // namespace
