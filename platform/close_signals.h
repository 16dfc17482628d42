// The signals that ask a program to end (SIGTERM, SIGINT, SIGHUP) taken as a
// request to close, so the window can end the way its close box does.
#pragma once

// Installs the handlers; each only notes that a request came. A second signal
// of the same kind ends the process at once, as it would without them. A
// signal the process was started with ignored stays ignored.
void InstallCloseSignalHandlers();

// Whether one of those signals has arrived since the handlers were installed.
bool CloseSignalReceived();
