// About > Help: the HTML help page in the user's browser.
#pragma once

// Opens "html/index.htm" (the copy in the current directory first, else the
// installed one) with the default browser. A missing page or a missing
// browser shows nothing.
void OpenHelpPage();
