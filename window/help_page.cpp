#include "window/help_page.h"

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "platform/data_location.h"
#include "window/text_convert.h"

std::string HelpPagePath() {
    const std::string english = "html/index.htm";
    // TRANSLATORS: the help page in your language, a file beside html/index.htm in the html folder.
    const std::string translated = _("html/index.htm").utf8_string();
    if (translated != english) {
        const std::string page = LocateDataFile(translated);
        if (wxFileName::FileExists(FromFileName(page))) return page;
    }
    return LocateDataFile(english);
}

void OpenHelpPage() {
    // The toolkit reports a failed launch in a message box of its own.
    wxLogNull quiet;
    wxFileName page(FromFileName(HelpPagePath()));
    if (!page.FileExists()) return;
    // The opener may run in another folder.
    page.MakeAbsolute();
    // The desktop's opener (xdg-open; on Windows the shell's "open") first,
    // as the user has set it up; without one, the toolkit's own way to show a
    // web address.
    if (wxLaunchDefaultApplication(page.GetFullPath())) return;
    wxLaunchDefaultBrowser(wxFileSystem::FileNameToURL(page));
}
