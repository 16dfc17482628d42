// Opens the real main window on a few sample files, checks them and saves a
// screenshot of one scene (run from the project root under Xvfb, through
// scripts/screenshot.sh, or under Wine through scripts/windows-test-gui.sh):
//   quorvane_screenshot_helper main|mismatches|rename|autorename|undo|about|menubar|context|report OUT.png
//   quorvane_screenshot_helper status OUT.txt   (the status line after the check)
// The files are made in /tmp/quorvane-demo (C:\quorvane-demo on Windows): a
// PNG named .gif, a PDF named .jpg, a correct PDF, a JPEG with a Japanese
// name, a text file and a folder. On Windows the script takes the shots
// (see Shoot).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/listctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cerrno>

#include "list/run_state.h"
#include "platform/error_text.h"
#include "signature/loader.h"
#include "window/checker_app.h"
#include "window/file_list_view.h"
#include "window/main_dialog.h"
#include "window/rename_dialog.h"
#include "window/rename_report_dialog.h"
#include "window/resource_ids.h"
#include "window/status_line.h"
#include "window/text_convert.h"
#include "window/translations.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

void Pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
}

#ifdef __WXMSW__
const fs::path kDemoFolder = "C:\\quorvane-demo";

// Under Wine the screen cannot be read back from inside: the area goes to
// OUT.rect as ImageMagick's geometry, and the script that took the picture
// says so with OUT.done.
void Shoot(const std::string& out, const wxRect& area) {
    const fs::path done = fs::path(std::u8string(out.begin(), out.end())).concat(".done");
    std::ofstream(fs::path(done).replace_extension(".rect"))
        << area.width << 'x' << area.height << '+' << area.x << '+' << area.y << '\n';
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(done) && std::chrono::steady_clock::now() < deadline) Pump(50);
}
#else
const fs::path kDemoFolder = "/tmp/quorvane-demo";

void Shoot(const std::string& out, const wxRect& area) {
    wxExecute(wxString::Format("import -window root -crop %dx%d+%d+%d +repage %s", area.width, area.height, area.x,
                               area.y, wxString::FromUTF8(out)),
              wxEXEC_SYNC);
}
#endif

// Until no run holds the rows, and the window has shown what they left.
void WaitUntilFree(ListState& state) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    do {
        Pump(50);
    } while (!state.Runs().ListChangesAllowed() && std::chrono::steady_clock::now() < deadline);
    Pump(200);
}

// A path as the model holds it: UTF-8 on Windows, the bytes elsewhere.
std::string PathBytes(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::vector<fs::path> MakeSamples() {
    const fs::path folder = kDemoFolder;
    fs::remove_all(folder);
    fs::create_directories(folder / "Pictures");
    const auto write = [&](const std::string& name, const std::string& bytes) {
        const fs::path path = folder / fs::path(std::u8string(name.begin(), name.end()));
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    };
    return {write("holiday.gif", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0"s),
            write("invoice.jpg", "%PDF-1.7\n%\xe2\xe3\xcf\xd3\n"s),
            write("report.pdf", "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"s),
            write("\xe5\x86\x99\xe7\x9c\x9f.jpg", "\xff\xd8\xff\xe0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0"s),
            write("notes.txt", "Shopping list: bread, milk\n"),
            folder / "Pictures"};
}

// Closes whatever dialog is up after the shot: a modal one, or a Rename
// File dialog of a sequence (by its Cancel All).
void ShootModalLater(wxWindow* owner, const std::string& out, int delayMs) {
    auto* timer = new wxTimer();
    timer->Bind(wxEVT_TIMER, [timer, out](wxTimerEvent&) {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<wxDialog*>(window);
            const bool ofSequence = dynamic_cast<CRenameDialog*>(window) && window->IsShown();
            if (dialog && (dialog->IsModal() || ofSequence)) {
                // The dialog with a margin, to show how it sits on the main window.
                const wxRect rect = dialog->GetScreenRect().Inflate(0, 0).Union(wxRect(0, 0, 1, 1));
                Shoot(out, rect.Inflate(16, 16).Intersect(wxRect(0, 0, 2000, 2000)));
                if (dialog->IsModal()) {
                    dialog->EndModal(wxID_CANCEL);
                } else {
                    wxCommandEvent cancelAll(wxEVT_BUTTON, wxID_ABORT);
                    cancelAll.SetEventObject(dialog);
                    dialog->GetEventHandler()->ProcessEvent(cancelAll);
                }
                break;
            }
        }
        timer->Stop();
        wxTheApp->CallAfter([timer] { delete timer; });
    });
    timer->StartOnce(delayMs);
    (void)owner;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: %s main|mismatches|rename|autorename|undo|about|menubar|context|report OUT.png,"
                     " or status OUT.txt\n",
                     argv[0]);
        return 2;
    }
    const std::string scene = argv[1];
    const std::string out = argv[2];
    wxApp::SetInstance(new CCheckerApp);
    if (!wxEntryStart(argc, argv)) return 255;
    // As the program: the window in the language LANG asks for.
    InstallTranslations();
#ifdef __WXMSW__
    // The scenes pump events by hand; on Windows a yield dispatches nothing
    // (timers included) unless some loop is the active one.
    wxEventLoop loop;
    wxEventLoopActivator activeLoop(&loop);
#endif

    CMainDialog* window = OpenMainWindow();
    Pump(300);
    window->SetSize(660, 250);
    CFileListView* list = window->FileListView();
    list->SetColumnWidth(0, 170);
    list->SetColumnWidth(1, 130);
    list->SetColumnWidth(2, 300);
    Pump(200);

    // A drop as a file manager would deliver it.
    const std::vector<fs::path> samples = MakeSamples();
    auto* files = new wxString[samples.size()];
    for (size_t i = 0; i < samples.size(); ++i) files[i] = FromFileName(PathBytes(samples[i]));
    wxDropFilesEvent drop(wxEVT_DROP_FILES, static_cast<int>(samples.size()), files);
    window->GetEventHandler()->ProcessEvent(drop);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    ListState& state = window->State();
    while (state.TotalFiles() < static_cast<int32_t>(samples.size()) || !state.Runs().ListChangesAllowed()) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "the drop was not taken in: %d rows\n", static_cast<int>(state.TotalFiles()));
            return 1;
        }
        Pump(20);
    }
    wxCommandEvent check(wxEVT_MENU, ID_TOOL_CHECK);
    window->GetEventHandler()->ProcessEvent(check);
    while (state.Runs().CheckRunning()) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "the check did not end\n");
            return 1;
        }
        Pump(20);
    }
    Pump(300);

    const wxRect whole = window->GetScreenRect();
    wxUIActionSimulator input;
    if (scene == "status") {
        const std::string text = FileNameBytes(window->StatusLine()->GetText());
        std::ofstream(fs::path(std::u8string(out.begin(), out.end())), std::ios::binary) << text << "\n";
    } else if (scene == "main") {
        Shoot(out, whole);
    } else if (scene == "mismatches") {
        wxCommandEvent select(wxEVT_MENU, ID_TOOL_SELECTMISMATCHES);
        window->GetEventHandler()->ProcessEvent(select);
        Pump(300);
        Shoot(out, whole);
    } else if (scene == "autorename" || scene == "undo") {
        wxCommandEvent select(wxEVT_MENU, ID_TOOL_SELECTMISMATCHES);
        window->GetEventHandler()->ProcessEvent(select);
        wxCommandEvent rename(wxEVT_MENU, ID_TOOL_AUTORENAME);
        window->GetEventHandler()->ProcessEvent(rename);
        WaitUntilFree(state);
        if (scene == "undo") {
            wxCommandEvent undo(wxEVT_MENU, ID_TOOL_UNDORENAME);
            window->GetEventHandler()->ProcessEvent(undo);
            WaitUntilFree(state);
        }
        Pump(300);
        Shoot(out, whole);
    } else if (scene == "rename") {
        list->FocusRow(0, true);
        ShootModalLater(window, out, 600);
        wxListEvent activate(wxEVT_LIST_ITEM_ACTIVATED, IDC_FILE_LIST);
        activate.SetEventObject(list);
        list->GetEventHandler()->ProcessEvent(activate);
    } else if (scene == "about") {
        ShootModalLater(window, out, 600);
        wxCommandEvent about(wxEVT_MENU, ID_ABOUT_BOX);
        window->GetEventHandler()->ProcessEvent(about);
    } else if (scene == "report") {
        // What Auto Rename reports when 2,000 of its renames clash with files already there.
        std::vector<RenameFailure> failures;
        for (int i = 0; i < 2000; ++i) {
            const std::string name = PathBytes(kDemoFolder / "Pictures" / "holiday-") + std::to_string(1000 + i);
            // Every tenth was moved away by another program while the run went on.
            const int code = i % 10 ? EEXIST : ENOENT;
            failures.push_back({name + ".gif", name + ".png", ErrorText(code), code});
        }
        ShootModalLater(window, out, 600);
        CRenameReportDialog report(window, std::move(failures));
        report.ShowModal();
    } else if (scene == "menubar") {
        // Opens Tool on the menu bar with the mouse, as a user would.
        input.MouseMove(100, 12);
        Pump(100);
        input.MouseClick();
        Pump(600);
        Shoot(out, whole);
        input.Char(WXK_ESCAPE);
        Pump(200);
    } else if (scene == "context") {
        auto* timer = new wxTimer();
        int step = 0;
        timer->Bind(wxEVT_TIMER, [&, timer](wxTimerEvent&) {
            if (step++ == 0) {
                // Into the File submenu with the keyboard.
                input.Char(WXK_DOWN);
                input.Char(WXK_RIGHT);
                return;
            }
            timer->Stop();
            Shoot(out, whole);
            input.Char(WXK_ESCAPE);
            input.Char(WXK_ESCAPE);
        });
        timer->Start(500);
        const wxPoint inList = list->ClientToScreen(wxPoint(300, 150));
        input.MouseMove(inList);
        Pump(100);
        input.MouseClick(wxMOUSE_BTN_RIGHT);
        Pump(1500);
        delete timer;
    } else {
        std::fprintf(stderr, "unknown scene %s\n", scene.c_str());
    }
    Pump(200);
    window->Destroy();
    Pump(100);
    wxEntryCleanup();
    return 0;
}
