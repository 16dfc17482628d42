#include "window/open_dialogs.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include <wx/dialog.h>
#include <wx/modalhook.h>

namespace {

class OpenDialogs : public wxModalDialogHook {
public:
    const std::vector<wxDialog*>& Shown() const { return m_shown; }

protected:
    int Enter(wxDialog* dialog) override {
        m_shown.push_back(dialog);
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override {
        const auto at = std::find(m_shown.rbegin(), m_shown.rend(), dialog);
        if (at != m_shown.rend()) m_shown.erase(std::next(at).base());
    }

private:
    std::vector<wxDialog*> m_shown;
};

OpenDialogs& Watch() {
    static OpenDialogs watch;
    return watch;
}

bool g_watching = false;

}  // namespace

void WatchModalDialogs() {
    if (g_watching) return;
    Watch().Register();
    g_watching = true;
}

bool ModalDialogOpen() { return !Watch().Shown().empty(); }

void CancelOpenDialogs() {
    // A message box runs a loop of its own that wx cannot end: IsModal is
    // false for it. The innermost dialog first; the others follow on later calls.
    const std::vector<wxDialog*>& shown = Watch().Shown();
    if (!shown.empty() && shown.back()->IsModal()) shown.back()->EndModal(wxID_CANCEL);
}
