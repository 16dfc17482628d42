// Figures for the window at 100,000 rows (run by hand under Xvfb):
//   xvfb-run -a build/bench/quorvane_view_bench [rows]
// start-up of the main window, memory the view adds over the model, and a
// real Shift+click range and Select All as the model takes them.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/uiaction.h>

#include "list/file_list.h"
#include "window/file_list_view.h"
#include "window/main_dialog.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void PumpFor(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 100000;
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) return 255;

    const auto startUp = Clock::now();
    auto* window = new CMainDialog();
    window->OnInitDialog();
    window->Show();
    while (!window->IsShownOnScreen()) PumpFor(1);
    PumpFor(5);
    std::printf("start-up (create, load table, show, first paint): %.1f ms\n", MsSince(startUp));
    window->SetSize(800, 600);
    PumpFor(10);

    const long beforeModel = ResidentKb();
    for (long i = 0; i < rows; ++i) {
        window->State().Rows().AppendRow("/home/user/some/longer/folder/name/", "file" + std::to_string(i) + ".gif", 0);
    }
    const long afterModel = ResidentKb();
    const auto show = Clock::now();
    window->SynchroniseView();
    PumpFor(10);
    const long afterView = ResidentKb();
    std::printf("%ld rows: model %+ld KB, view %+ld KB, first show %.1f ms\n", rows, afterModel - beforeModel,
                afterView - afterModel, MsSince(show));

    CFileListView* list = window->FileListView();
    // A real click on row 1 and Shift+click on row 6: the model holds the range, the control nothing.
    list->SetFocus();
    window->Raise();
    PumpFor(10);
    wxUIActionSimulator mouse;
    const wxRect first = [&] { wxRect r; list->GetItemRect(1, r); return r; }();
    const wxRect last = [&] { wxRect r; list->GetItemRect(6, r); return r; }();
    mouse.MouseMove(list->ClientToScreen(first.GetPosition() + wxPoint(40, first.height / 2)));
    PumpFor(5);
    mouse.MouseClick();
    PumpFor(10);
    mouse.MouseMove(list->ClientToScreen(last.GetPosition() + wxPoint(40, last.height / 2)));
    PumpFor(5);
    mouse.KeyDown(WXK_SHIFT);
    const auto click = Clock::now();
    mouse.MouseClick();
    mouse.KeyUp(WXK_SHIFT);
    PumpFor(20);
    std::printf("Shift+click range of rows 1-6: model %lld selected in %zu range(s), control %d"
                " (%.1f ms with pumping)\n",
                static_cast<long long>(window->State().Rows().SelectedCount()),
                window->State().Rows().Selection().Ranges().size(), list->GetSelectedItemCount(), MsSince(click));
    const auto all = Clock::now();
    list->SelectAllRows();
    std::printf("select all %ld rows and repaint: %.2f ms\n", rows, MsSince(all));

    window->Destroy();
    PumpFor(5);
    wxEntryCleanup();
    return 0;
}
