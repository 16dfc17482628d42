// About > Help: the HTML help page in the user's browser.
#pragma once

#include <string>

// The page in the window's language: the catalogue names it
// ("html/index.ja.htm"); without a translation, or when the translated page
// is not installed, "html/index.htm". Found as LocateDataFile finds it.
std::string HelpPagePath();

// Opens HelpPagePath() (the copy in the current directory first, else the
// installed one) with the default browser. A missing page or a missing
// browser shows nothing.
void OpenHelpPage();
