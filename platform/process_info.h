// Facts about this process that the core asks for: its id, and whether a
// standard stream is a terminal.
#pragma once

// The process id, for telling runs of two programs apart.
long CurrentProcessId();

// Whether standard error goes to a terminal (progress is drawn only there).
bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();
