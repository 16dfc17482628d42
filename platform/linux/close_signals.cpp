#include "platform/close_signals.h"

#include <signal.h>

#include <initializer_list>

namespace {

volatile sig_atomic_t g_closeRequested = 0;

void NoteCloseRequest(int) { g_closeRequested = 1; }

}  // namespace

void InstallCloseSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = &NoteCloseRequest;
    sigemptyset(&action.sa_mask);
    // SA_RESTART: the workers' reads and renames go on undisturbed.
    // SA_RESETHAND: a user who repeats the signal gets the default end.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        // One that was ignored when we started (nohup, a background job of a
        // script) stays ignored.
        struct sigaction inherited {};
        if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
}

bool CloseSignalReceived() { return g_closeRequested != 0; }
