#include "window/rename_sequence.h"

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/modalhook.h>

#include "window/rename_dialog.h"

int RenameSequence::Show(CRenameDialog& dialog) {
    struct ExitHooks {
        CRenameDialog* dialog;
        ~ExitHooks() { wxModalDialogHook::CallExit(dialog); }
    } exitHooks{&dialog};
    const int answered = wxModalDialogHook::CallEnter(&dialog);
    if (answered != wxID_NONE) return answered;
    if (m_ended) return wxID_ABORT;

    int result = wxID_CANCEL;
    wxGUIEventLoop loop;
    auto finish = [&result, &loop](int answer) {
        result = answer;
        if (loop.IsRunning()) loop.Exit();
    };
    dialog.Bind(wxEVT_BUTTON, [&finish](wxCommandEvent& event) {
        const int id = event.GetId();
        if (id == wxID_OK || id == wxID_CANCEL || id == wxID_ABORT) {
            finish(id);
        } else {
            event.Skip();
        }
    });
    // The dialog's own close box skips this file, as Cancel does.
    dialog.Bind(wxEVT_CLOSE_WINDOW, [&finish](wxCloseEvent&) { finish(wxID_CANCEL); });
    m_endShown = [&finish] { finish(wxID_ABORT); };
    dialog.Show();
    dialog.SelectBaseName();
    loop.Run();
    m_endShown = nullptr;
    dialog.Hide();
    return result;
}

void RenameSequence::EndSequence() {
    m_ended = true;
    if (m_endShown) m_endShown();
}
