// The Rename File dialogs of a double click, Enter or F2, one after the
// other. Each is shown beside the main window rather than modal over it, so
// the main window's close box still works: it ends the sequence, and the
// window goes once the sequence has returned.
#pragma once

#include <functional>

class CRenameDialog;

class RenameSequence {
public:
    // Shows the dialog until it is answered: wxID_OK, wxID_CANCEL (this file
    // only) or wxID_ABORT (Cancel All, or the sequence was ended). Modal
    // dialog hooks see it as they see a modal dialog, so tests can answer it.
    int Show(CRenameDialog& dialog);

    // Ends the dialog shown now, and every later one, with wxID_ABORT.
    void EndSequence();
    bool Ended() const { return m_ended; }

private:
    bool m_ended = false;
    std::function<void()> m_endShown;
};
