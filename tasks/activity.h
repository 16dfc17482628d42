// Who may change the rows right now. Drops, check runs and automatic renaming
// take turns through these few transitions, each made under one lock, so two
// commands testing the busy state at once cannot both go ahead.
#pragma once

#include <atomic>
#include <cstdint>

// The main window takes dropped files only while this is 1. Workers switch it
// with a plain store; the window's drop handler reads it.
extern std::atomic<int32_t> g_acceptDrops;

// 1 while an automatic renaming runs.
extern std::atomic<int32_t> g_autoRenaming;

// Whether a drop may be taken in now.
bool DropsAccepted();
// Whether File > New and the renaming may act now.
bool ListChangesAllowed();

void BeginDrop();
void EndDrop();

enum class CheckCommand {
    Started,    // a new run began
    AskToStop,  // a drop or a run is going on: ask the user whether to stop
    Ignored,    // a stopping run has not ended yet, or an automatic renaming runs
};
// Tool > Check: starts a run when nothing is going on.
CheckCommand RequestCheckRun();
// The user confirmed "Stop OK?".
void ConfirmCheckStop();
// The check worker ends.
void EndCheckRun();
bool CheckWorkerRunning();

// Tool > Auto Rename: false when the rows are busy or a renaming already runs.
bool TryBeginAutoRename();
void EndAutoRename();
