// Ending the program on a defect it cannot run with.
#pragma once

#include <string>

// Shows the message to the user. The window installs one that opens a message
// box; until then the message goes to standard error.
using FatalErrorPresenter = void (*)(const std::string& message);
void SetFatalErrorPresenter(FatalErrorPresenter presenter);

// Shows the message, then ends the process with exit code 1.
[[noreturn]] void FatalError(const std::string& message);
