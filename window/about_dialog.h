// "About Quorvane".
#pragma once

#include <wx/dialog.h>

class CAboutDialog : public wxDialog {
public:
    explicit CAboutDialog(wxWindow* parent);
};

// The text the dialog shows; its first line names the program and its version.
wxString AboutText();
