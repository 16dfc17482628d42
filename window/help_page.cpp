#include "window/help_page.h"

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "platform/data_location.h"
#include "window/text_convert.h"

void OpenHelpPage() {
    // The toolkit reports a failed launch in a message box of its own.
    wxLogNull quiet;
    wxFileName page(FromFileName(LocateDataFile("html/index.htm")));
    if (!page.FileExists()) return;
    // The opener may run in another folder.
    page.MakeAbsolute();
    // The desktop's opener (xdg-open; on Windows the shell's "open") first,
    // as the user has set it up; without one, the toolkit's own way to show a
    // web address.
    if (wxLaunchDefaultApplication(page.GetFullPath())) return;
    wxLaunchDefaultBrowser(wxFileSystem::FileNameToURL(page));
}
