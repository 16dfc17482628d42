// What quorvane-check can be asked to do. Each writes its records to
// `output` and returns its exit status; finishing the output is left to the
// caller, which may raise the status.
#pragma once

#include "cli/options.h"
#include "cli/output.h"

// Judges the paths (and with --rename renames the mis-named files).
int RunCheck(const Options& options, Output& output);

// --undo [RUN]: the run's renames taken back as a run of their own.
int RunUndo(const Options& options, Output& output);

// --lint [FILE]: one line per warning.
int RunLint(const Options& options, Output& output);
