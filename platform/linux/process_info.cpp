#include "platform/process_info.h"

#include <unistd.h>

long CurrentProcessId() { return static_cast<long>(getpid()); }

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool StandardOutputIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

std::vector<std::string> CommandLineArguments(int argc, char** argv) { return {argv, argv + argc}; }

void PrepareStandardStreams() {}
