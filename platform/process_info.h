// Facts about this process that the core asks for: its id, its arguments,
// and whether a standard stream is a terminal.
#pragma once

#include <string>
#include <vector>

// The process id, for telling runs of two programs apart.
long CurrentProcessId();

// Whether standard error goes to a terminal (progress is drawn only there).
bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();

// The program's arguments as the bytes the rest of the program uses: argv
// itself on Linux; on Windows the UTF-16 command line as UTF-8, since the
// narrow argv has passed through the ANSI code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output and error take the bytes written as they are (on Windows:
// no LF turned into CR LF), and a Windows console shows them as UTF-8 until
// the program ends.
void PrepareStandardStreams();
