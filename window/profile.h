// The window size and column widths remembered between runs, in the user's
// configuration folder ($XDG_CONFIG_HOME/Quorvane.conf, by default
// ~/.config/Quorvane.conf; on Windows the INI file %APPDATA%\Quorvane\Quorvane.ini),
// section "Quorvaner". The section's name and the keys (XSize, YSize, C00,
// C01, C02) are those the program has always written, so existing profiles
// keep working.
#pragma once

#include <wx/string.h>

struct WindowProfile {
    int xSize = 150;  // outer width of the main window
    int ySize = 100;  // outer height
    int c00 = 300;    // width of "Location"
    int c01 = 200;    // width of "Filename"
    int c02 = 200;    // width of "Expect type"
    int lookInside = 1;  // Tool > Look Inside Documents: 0 off, anything else on
    bool sizeStored = false;  // the profile held a number for both XSize and YSize
};

wxString ProfilePath();

// Missing keys, values that are no number and an unreadable profile give the
// defaults; a number beyond the range of int gives its nearest end.
WindowProfile ReadProfile();

// No larger than the screen's work area, and columns from 0 to the screen's
// width, so a damaged profile cannot put the window or a column out of reach.
WindowProfile FitToScreen(WindowProfile profile);

// Writes all six values. Creates the folder when missing; a profile that
// cannot be written is skipped without a word.
void WriteProfile(const WindowProfile& profile);
