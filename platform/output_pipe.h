// Writing to a pipe whose reader has gone (`quorvane-check ... | head -1`).
#pragma once

// Makes such a write fail with an error the program can see and report,
// instead of ending the process by a signal (SIGPIPE on Linux; Windows sends
// none, so there is nothing to do there).
void LetWritesToAClosedPipeFail();
