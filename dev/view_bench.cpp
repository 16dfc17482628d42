// Figures for the window at 100,000 rows (run by hand under Xvfb):
//   xvfb-run -a build/bench/quorvane_view_bench [rows]
// start-up of the main window, memory the view adds over the model, and the
// cost of copying the control's selection into the model before a rename.
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

long ModelSelectedCount(const FileList& rows) {
    long count = 0;
    for (int32_t i = 0; i < rows.RowCount(); ++i) count += rows.IsSelected(i) ? 1 : 0;
    return count;
}

double TimeCopy(CFileListView* list) {
    const auto start = Clock::now();
    list->CopySelectionToModel();
    return MsSince(start);
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
    std::printf("copy selection to model, %ld rows:\n", rows);
    std::printf("  none selected:        %8.2f ms\n", TimeCopy(list));
    list->SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    std::printf("  all selected:         %8.2f ms\n", TimeCopy(list));
    list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    for (long i = 0; i < rows / 2; ++i) list->SetItemState(i, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    std::printf("  first half selected:  %8.2f ms\n", TimeCopy(list));
    list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    for (long i = 0; i < rows; i += 10) list->SetItemState(i, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    std::printf("  every tenth selected: %8.2f ms\n", TimeCopy(list));
    list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    list->CopySelectionToModel();

    // What the selection events alone tell the model about a Shift+click range.
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
    mouse.MouseClick();
    mouse.KeyUp(WXK_SHIFT);
    PumpFor(20);
    std::printf("Shift+click range of rows 1-6: control %d selected, model by events %ld",
                list->GetSelectedItemCount(), ModelSelectedCount(window->State().Rows()));
    const double rangeMs = TimeCopy(list);
    std::printf(", after copy %ld (copy %.2f ms)\n", ModelSelectedCount(window->State().Rows()), rangeMs);

    window->Destroy();
    PumpFor(5);
    wxEntryCleanup();
    return 0;
}
