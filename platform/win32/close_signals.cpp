#include "platform/close_signals.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> g_closeRequested{false};

// Ctrl+C, Ctrl+Break and the closing of the console or of the session are the
// requests to end a Windows program gets; a second Ctrl+C ends it at once.
BOOL WINAPI NoteCloseRequest(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            if (g_closeRequested.exchange(true)) return FALSE;
            return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            g_closeRequested = true;
            // Returning ends the process: give the window a moment to close.
            Sleep(5000);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void InstallCloseSignalHandlers() { SetConsoleCtrlHandler(&NoteCloseRequest, TRUE); }

bool CloseSignalReceived() { return g_closeRequested; }
