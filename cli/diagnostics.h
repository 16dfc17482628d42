// What quorvane-check tells on standard error.
#pragma once

#include <string>

#include "signature/loader.h"

// "quorvane-check: TEXT" on a line of its own.
void PrintError(const std::string& text);

// The window's message for a defective table, with plain line ends, then
// what it means in English.
void PrintTableDefect(const std::string& fileName, const TableDefect& defect);

class ExitStatus;
class RenameRun;

// A journal `run` could not write, told once, with its exit status.
void ReportJournalProblem(RenameRun& run, ExitStatus& status);
