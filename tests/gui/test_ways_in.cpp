// Every way into the list gives the rows a drop of the same paths gives: the
// command line, the clipboard, the file dialog. Ctrl+A and Delete take rows
// out of the list, never off the disk. The drop cursor refuses while drops are.
#include <cctype>
#include <string>
#include <vector>

#include <wx/dnd.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filedlg.h>
#include <wx/uiaction.h>

#include "list/file_list.h"
#include "gui_test_support.h"
#include "list/run_state.h"
#include "window/checker_app.h"
#include "window/file_list_view.h"
#include "window/resource_ids.h"

namespace {

// The paths every way in is fed, relative to the test's files folder.
struct PathCase {
    const char* what;
    std::string path;
    bool isFolder;
};

const std::vector<PathCase> kPathCases = {
    {"file in a folder", "Photos/holiday.jpg", false},
    {"folder", "Reports", true},
    {"name without extension", "README", false},
    {"name that is not UTF-8", "caf\xE9-\xFF.gif", false},
    {"name with spaces", "my notes 2.txt", false},
};

enum class Way { Drop, CommandLine, PasteUriList, PasteGnomeCopiedFiles };

struct WayCase {
    const char* name;
    Way way;
};

class WaysIn : public MainWindowTest, public ::testing::WithParamInterface<WayCase> {
protected:
    std::vector<fs::path> MakeFiles() const {
        fs::create_directory(m_files.Path() / "Photos");
        std::vector<fs::path> paths;
        for (const PathCase& c : kPathCases) {
            const fs::path path = m_files.Path() / c.path;
            if (c.isFolder) {
                fs::create_directory(path);
            } else {
                m_files.Write(c.path, "GIF89a");
            }
            paths.push_back(path);
        }
        return paths;
    }

    // Arguments as a shell gives them in the files folder: relative, a
    // folder with the separator completion adds.
    void StartWithCommandLine() {
        std::vector<std::string> arguments = {"quorvane"};
        for (const PathCase& c : kPathCases) arguments.push_back(c.isFolder ? c.path + "/" : "./" + c.path);
        fs::current_path(m_files.Path());
        const std::vector<std::string> paths = CommandLinePaths(arguments);
        fs::current_path(m_work.Path());
        m_window = OpenMainWindow(paths);
        ASSERT_TRUE(PumpUntil([this] { return m_window->IsShownOnScreen(); }));
    }

    // Files copied in a file manager, then Ctrl+V in the list.
    void Paste(const std::vector<fs::path>& paths, const char* format, const std::string& firstLine,
               const char* lineEnd) {
        std::string text = firstLine;
        for (const fs::path& path : paths) text += FileUri(path.string()) + lineEnd;
        auto* data = new wxCustomDataObject(wxDataFormat(wxString(format)));
        data->SetData(text.size(), text.data());
        {
            wxClipboardLocker locker;
            ASSERT_FALSE(!locker);
            ASSERT_TRUE(wxTheClipboard->SetData(data));
        }
        OpenWindow();
        PressInList([](wxUIActionSimulator& keys) { keys.Char('v', wxMOD_CONTROL); });
        wxClipboardLocker locker;
        wxTheClipboard->Clear();
    }

    static std::string FileUri(const std::string& path) {
        std::string uri = "file://";
        const char* hex = "0123456789ABCDEF";
        for (unsigned char byte : path) {
            if (std::isalnum(byte) || byte == '/' || byte == '.' || byte == '-' || byte == '_') {
                uri += static_cast<char>(byte);
            } else {
                uri += '%';
                uri += hex[byte >> 4];
                uri += hex[byte & 15];
            }
        }
        return uri;
    }
};

TEST_P(WaysIn, GiveTheRowsADropGives) {
    const std::vector<fs::path> paths = MakeFiles();
    switch (GetParam().way) {
        case Way::Drop:
            OpenWindow();
            DropPaths(paths);
            break;
        case Way::CommandLine:
            StartWithCommandLine();
            break;
        case Way::PasteUriList:
            Paste(paths, "text/uri-list", "# copied\r\n", "\r\n");
            break;
        case Way::PasteGnomeCopiedFiles:
            Paste(paths, "x-special/gnome-copied-files", "copy\n", "\n");
            break;
    }
    ASSERT_TRUE(PumpUntil([this] { return Rows().RowCount() == 5; })) << "rows: " << Rows().RowCount();
    WaitUntilIdle();
    ASSERT_EQ(Rows().RowCount(), static_cast<int32_t>(kPathCases.size()));
    for (size_t i = 0; i < kPathCases.size(); ++i) {
        const fs::path expected = m_files.Path() / kPathCases[i].path;
        const auto row = static_cast<int32_t>(i);
        EXPECT_EQ(Rows().GetText(row, kColumnLocation), expected.parent_path().string() + "/") << kPathCases[i].what;
        EXPECT_EQ(Rows().GetText(row, kColumnFileName), expected.filename().string()) << kPathCases[i].what;
        EXPECT_EQ(Rows().GetImage(row), STATUS_UNKNOWN) << kPathCases[i].what;
    }
    EXPECT_EQ(m_window->FileListView()->GetItemCount(), 5);
    EXPECT_EQ(StatusLineText(), "All File : 5");
}

INSTANTIATE_TEST_SUITE_P(Ways, WaysIn,
                         ::testing::Values(WayCase{"Drop", Way::Drop}, WayCase{"CommandLine", Way::CommandLine},
                                           WayCase{"PasteUriList", Way::PasteUriList},
                                           WayCase{"PasteGnomeCopiedFiles", Way::PasteGnomeCopiedFiles}),
                         [](const auto& info) { return std::string(info.param.name); });

// Picks one file in the file dialog and presses Open.
class AnswerFileDialog : public wxExpectModalBase<wxFileDialog, AnswerFileDialog> {
public:
    AnswerFileDialog(fs::path path, bool* multiple) : m_path(std::move(path)), m_multiple(multiple) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        *m_multiple = dialog->HasFlag(wxFD_MULTIPLE);
        dialog->SetPath(wxString(m_path.c_str(), *wxConvFileName));
        // The toolkit's chooser takes the name in while events run.
        PumpUntil([dialog] {
            wxArrayString paths;
            dialog->GetPaths(paths);
            return !paths.empty();
        }, std::chrono::seconds(5));
        return wxID_OK;
    }

private:
    fs::path m_path;
    bool* m_multiple;
};

TEST_F(MainWindowTest, AddFilesTakesTheChosenFilesInAsADrop) {
    OpenWindow();
    DropPaths({m_files.Write("first.gif", "GIF89a")});
    fs::create_directory(m_files.Path() / "sub folder");
    // UTF-8: the toolkit's chooser cannot be handed another name from a test.
    const fs::path chosen = m_files.Write("sub folder/caf\xC3\xA9.pdf", "%PDF-");
    bool multiple = false;
    m_dialogs->Expect(AnswerFileDialog(chosen, &multiple));
    SendCommand(ID_FILE_ADDFILES);
    ASSERT_TRUE(PumpUntil([this] { return Rows().RowCount() == 2; }));
    WaitUntilIdle();
    EXPECT_TRUE(multiple);
    ASSERT_EQ(Rows().RowCount(), 2);
    EXPECT_EQ(Rows().PathOf(1), chosen.string());
    EXPECT_EQ(StatusLineText(), "All File : 2");
}

struct RemoveCase {
    const char* name;
    std::vector<long> selectedRows;  // empty: Ctrl+A
    bool autoRenaming;
    std::vector<std::string> remaining;
};

class RemoveRows : public MainWindowTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveRows, DeleteTakesSelectedRowsOutOfTheListOnly) {
    const RemoveCase& c = GetParam();
    CMainDialog* window = OpenWindow();
    const std::vector<std::string> names = {"a.gif", "b.gif", "c.gif", "d.gif", "e.gif"};
    for (const std::string& name : names) DropPaths({m_files.Write(name, "GIF89a")});
    WaitUntilIdle();
    if (!c.selectedRows.empty()) SelectRows(c.selectedRows);
    if (c.autoRenaming) {
        ASSERT_TRUE(Runs().TryBeginRenaming());
    }
    CFileListView* list = window->FileListView();
    PressInList([&](wxUIActionSimulator& keys) {
        if (c.selectedRows.empty()) {
            keys.Char('a', wxMOD_CONTROL);
            // Selecting is allowed at any time; this also proves the keys arrive.
            ASSERT_TRUE(PumpUntil([list] { return list->GetSelectedItemCount() == 5; }, std::chrono::seconds(5)));
        }
        keys.Char(WXK_DELETE);
    });
    for (int i = 0; i < 20; ++i) Pump();
    if (c.autoRenaming) Runs().EndRenaming();
    WaitUntilIdle();

    std::vector<std::string> rows;
    for (int32_t row = 0; row < Rows().RowCount(); ++row) rows.push_back(Rows().GetText(row, 1));
    EXPECT_EQ(rows, c.remaining);
    EXPECT_EQ(list->GetItemCount(), static_cast<int>(c.remaining.size()));
    EXPECT_EQ(StatusLineText(), "All File : " + std::to_string(c.remaining.size()));
    if (c.remaining.size() < names.size()) {
        EXPECT_EQ(list->GetSelectedItemCount(), 0);
    }
    for (const std::string& name : names) EXPECT_TRUE(fs::exists(m_files.Path() / name)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveRows,
    ::testing::Values(RemoveCase{"CtrlAThenDelete", {}, false, {}},
                      RemoveCase{"SomeRowsKeepTheOthersInOrder", {1, 3}, false, {"a.gif", "c.gif", "e.gif"}},
                      RemoveCase{"RefusedWhileAutoRenameRuns", {}, true, {"a.gif", "b.gif", "c.gif", "d.gif", "e.gif"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, DropCursorRefusesWhileDropsAreRefused) {
    CMainDialog* window = OpenWindow();
    wxDropTarget* target = window->GetDropTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->OnDragOver(10, 10, wxDragCopy), wxDragCopy);
    ASSERT_TRUE(Runs().TryBeginRenaming());
    EXPECT_EQ(target->OnDragOver(10, 10, wxDragCopy), wxDragNone);
    Runs().EndRenaming();
    EXPECT_EQ(target->OnDragOver(10, 10, wxDragCopy), wxDragCopy);
}

}  // namespace
