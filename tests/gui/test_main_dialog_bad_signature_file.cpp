// Starting with a signature file the program cannot run with: exit code 1, the loader's message, no window, no profile.
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include <wx/app.h>
#include <wx/toplevel.h>

#include "gui_test_support.h"
#include "signature/loader.h"
#include "window/checker_app.h"
#include "window/text_convert.h"

namespace {

struct FatalCase {
    const char* name;
    const char* contents;  // nullptr: no signature file at all
};

// Set by the parent for the child of the death test, which runs this test
// again from its start in a fresh process.
constexpr const char* kChildFolder = "QUORVANE_TEST_FATAL_FOLDER";

// Records the box the child shows, then lets the program end.
class RecordFatalBox : public wxExpectModalBase<wxMessageDialog, RecordFatalBox> {
public:
    explicit RecordFatalBox(fs::path record) : m_record(std::move(record)) {}

protected:
    int OnInvoked(wxMessageDialog* box) const override {
        bool anyShown = false;
        for (wxWindow* window : wxTopLevelWindows) anyShown = anyShown || window->IsShown();
        std::ofstream out(m_record, std::ios::binary);
        out << box->GetTitle().utf8_string() << '\x1e' << box->GetMessageDialogStyle() << '\x1e'
            << (anyShown ? 1 : 0) << '\x1e' << box->GetMessage().utf8_string();
        return wxID_OK;
    }

private:
    fs::path m_record;
};

[[noreturn]] void RunChild(const fs::path& folder) {
    ::chdir(folder.c_str());
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    TestDialogHook hook;
    hook.Expect(RecordFatalBox(folder / "record"));
    auto* window = new CMainDialog();
    window->OnInitDialog();
    std::exit(0);  // not reached when the signature file is rejected
}

class FatalSignatureFile : public ::testing::TestWithParam<FatalCase> {};

TEST_P(FatalSignatureFile, EndsWithCodeOneAndTheExactMessage) {
    if (const char* folder = std::getenv(kChildFolder)) RunChild(folder);

    TempDir folder;
    if (GetParam().contents) folder.Write("Quorvane.dat", GetParam().contents);
    // The loader's own message for this file, as the program would name it.
    // (Every window the other tests open loads the real table again.)
    const fs::path here = fs::current_path();
    fs::current_path(folder.Path());
    FileIdTable ignored;
    const std::optional<TableDefect> defect = TryLoadFileIdData(kDataFileName, kHeaderTemplate, ignored);
    fs::current_path(here);
    ASSERT_TRUE(defect.has_value());
    const std::optional<std::string> expected = defect->message;

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv(kChildFolder, folder.Path().c_str(), 1);
    EXPECT_EXIT(RunChild(folder.Path()), ::testing::ExitedWithCode(1), "");
    unsetenv(kChildFolder);

    const std::string record = ReadFile(folder.Path() / "record");
    const size_t a = record.find('\x1e');
    const size_t b = record.find('\x1e', a + 1);
    const size_t c = record.find('\x1e', b + 1);
    ASSERT_NE(c, std::string::npos) << "no message box was shown";
    const std::string caption = record.substr(0, a);
    const long style = std::stol(record.substr(a + 1, b - a - 1));
    const std::string shown = record.substr(b + 1, c - b - 1);
    const std::string message = record.substr(c + 1);

    EXPECT_EQ(caption, wxTheApp->GetAppName().utf8_string());
    EXPECT_TRUE(style & wxOK);
    EXPECT_FALSE(style & (wxCANCEL | wxYES_NO));
    EXPECT_TRUE(style & wxICON_NONE);
    EXPECT_EQ(shown, "0") << "the window was shown before the signature file was read";
    EXPECT_FALSE(fs::exists(folder.Path() / "config" / "Quorvane.conf"));
    EXPECT_FALSE(fs::exists(folder.Path() / "config"));
    // The table's own message first, unchanged, then what it means in English.
    const std::string own = WithUnixLineEnds(*expected);
    EXPECT_EQ(message.rfind(own.substr(0, own.find_last_not_of('\n') + 1) + "\n\nThe signature table cannot be used: " +
                                (folder.Path() / "Quorvane.dat").string(),
                            0),
              0u)
        << message;
    // Where it was looked for is said when it was not found.
    const bool missing = GetParam().contents == nullptr;
    EXPECT_EQ(message.find("It was looked for in:\n    " + (folder.Path() / "Quorvane.dat").string()) !=
                  std::string::npos,
              missing)
        << message;
    EXPECT_EQ(message.find('\r'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Defects, FatalSignatureFile,
    ::testing::Values(FatalCase{"Missing", nullptr}, FatalCase{"BadHeader", "not a header\r\n"},
                      FatalCase{"BadLine", "< File ID Data - V001 2026/12/07 >\r\ntitle\r\n0,ZZ\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
