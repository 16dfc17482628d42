// The program's message boxes: no icon, captioned with the application's
// name unless a caption is given.
#pragma once

#include <string>

#include <wx/string.h>

class wxWindow;

// Yes/No with Yes the default. True on Yes.
bool AskYesNo(wxWindow* owner, const wxString& text, const wxString& caption);

// OK only.
void ShowNotice(wxWindow* owner, const wxString& text, const wxString& caption = wxString());

// A defect the program cannot run with: the message in a box captioned with
// the application's name. The caller ends the process afterwards.
void ShowFatalMessage(const std::string& message);

// A summary line over a long text to read or copy, with OK.
void ShowTextReport(wxWindow* owner, const wxString& caption, const wxString& summary, const wxString& text);
