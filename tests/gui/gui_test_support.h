// Shared pieces of the window tests: event pumping with a bounded wait, a
// modal-dialog hook that answers boxes and dialogs without showing them, temp
// folders, a fixture that opens the real main window, and the fixtures and
// answers that tests of more than one module use.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/weakref.h>

#include "tests/common/test_files.h"

class wxUIActionSimulator;

#include "window/main_dialog.h"
#include "window/rename_dialog.h"
#include "window/rename_report_dialog.h"

namespace fs = std::filesystem;

// Runs pending events, GTK's queue and idle processing (which deletes
// destroyed windows).
void Pump();
// Pumps until `done` holds or `timeout` passes; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A fresh folder under the system's temp folder, removed by the destructor.
using testfiles::ReadFile;
using testfiles::TempDir;
using testfiles::kPdfBytes;
using testfiles::kPngBytes;

// A signature table the tests know: PNG, GIF and PDF.
extern const char* const kTestSignatureTable;

// Unexpected dialogs fail the test and are answered Cancel instead of being
// shown, so a test never hangs on one.
class TestDialogHook : public wxTestingModalHook {
public:
    TestDialogHook() : wxTestingModalHook(__FILE__, __LINE__, "test") {}

    template <class Expectation>
    void Expect(Expectation expectation) {
        m_owned.push_back(std::make_unique<Expectation>(std::move(expectation)));
        AddExpectation(*m_owned.back());
    }
    // Fails the test for every expected dialog that did not come.
    void Verify() { CheckUnmetExpectations(); }

protected:
    int Enter(wxDialog* dialog) override;
    void ReportFailure(const wxString& message) override;

private:
    std::vector<std::unique_ptr<wxModalExpectation>> m_owned;
};

struct SeenBox {
    wxString message;
    wxString caption;
    long style = 0;
};

// Answers one message box and records what it showed.
class AnswerBox : public wxExpectModalBase<wxMessageDialog, AnswerBox> {
public:
    AnswerBox(int answer, std::vector<SeenBox>* seen) : m_answer(answer), m_seen(seen) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;

private:
    int m_answer;
    std::vector<SeenBox>* m_seen;
};

struct SeenRename {
    wxString before;
    wxString after;
};

// Answers one Rename File dialog, optionally typing a name over the proposal.
class AnswerRename : public wxExpectModalBase<CRenameDialog, AnswerRename> {
public:
    AnswerRename(int answer, std::vector<SeenRename>* seen, std::optional<wxString> typed = std::nullopt)
        : m_answer(answer), m_seen(seen), m_typed(std::move(typed)) {}

protected:
    int OnInvoked(CRenameDialog* dialog) const override;

private:
    int m_answer;
    std::vector<SeenRename>* m_seen;
    std::optional<wxString> m_typed;
};

// Each test gets its own profile folder, an open main window and a dialog hook.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates, prepares and shows the main window as the program does.
    CMainDialog* OpenWindow();
    // Asks the window to close as the close box does, and waits until it is gone.
    void CloseWindow();
    bool WindowGone() const { return !m_window; }

    void SendCommand(int id);
    // Drops the paths on the window and, unless told not to, waits until they are rows.
    void DropPaths(const std::vector<fs::path>& paths, bool waitForIntake = true);
    // Waits for drops, check runs and renamings to end, then shows the result.
    void WaitUntilIdle();
    void SelectRows(const std::vector<long>& rows);
    void DoubleClickList();
    // Gives the list the keyboard focus and types into it with real key presses.
    void PressInList(const std::function<void(wxUIActionSimulator&)>& type);
    wxString StatusLineText() const;
    // The open window's list state.
    ListState& State() const { return m_window->State(); }
    FileList& Rows() const { return State().Rows(); }
    RunState& Runs() const { return State().Runs(); }
    bool Idle() const { return Runs().ListChangesAllowed() && Runs().IntakeAccepted(); }
    fs::path ProfileFile() const { return m_config.Path() / "Quorvane.conf"; }

    TempDir m_config;
    TempDir m_files;
    // The current folder of the test, holding a small signature table of its
    // own, so the tests do not depend on the shipped one.
    TempDir m_work;
    fs::path m_home;
    std::unique_ptr<TestDialogHook> m_dialogs;
    wxWeakRef<CMainDialog> m_window;
};

// Renaming needs checked rows: the window opened with files dropped and checked.
class RenameTest : public MainWindowTest {
protected:
    // Drops the files in this order and checks them.
    void DropAndCheck(const std::vector<std::pair<std::string, std::string>>& files);
    bool Exists(const std::string& name) const { return fs::exists(m_files.Path() / name); }
};

struct SeenReport {
    wxString summary;
    long rows = 0;
    wxString file, newName, reason;  // the first row
    bool shownOnScreen = false;
    bool insideTheScreen = false;
};

// Answers the Auto Rename report after showing it for real, so its layout and
// first drawing are paid as the user would pay them.
class ShowReport : public wxExpectModalBase<CRenameReportDialog, ShowReport> {
public:
    explicit ShowReport(std::vector<SeenReport>* seen) : m_seen(seen) {}

protected:
    int OnInvoked(CRenameReportDialog* dialog) const override;

private:
    std::vector<SeenReport>* m_seen;
};

// Every way into the list (drop, command line, paste) is fed the same paths
// and must give the rows a drop of them gives.
class WaysIn : public MainWindowTest {
protected:
    struct PathCase {
        const char* what;
        std::string path;  // relative to the test's files folder
        bool isFolder;
    };
    static const std::vector<PathCase> kPathCases;

    // Creates the files and folders of kPathCases; their paths, in order.
    std::vector<fs::path> MakeFiles() const;
    // Waits for the rows, then expects one unchecked row per path, in order.
    void ExpectTheRowsADropGives();
};
