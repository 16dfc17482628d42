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
    // A relative name would be taken for a web address.
    page.MakeAbsolute();
    wxLaunchDefaultBrowser(wxFileSystem::FileNameToURL(page));
}
