// Which modal dialogs and message boxes are on screen. A close request from
// outside the window (a signal) may only close it when none is: the code that
// opened one still runs beneath it and uses the window.
#pragma once

// Starts watching every modal dialog and message box shown from now on.
void WatchModalDialogs();

bool ModalDialogOpen();

// Ends the program's own open dialogs as their Cancel would. A message box
// cannot be ended from outside; it waits for its answer.
void CancelOpenDialogs();
