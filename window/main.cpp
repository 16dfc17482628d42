#include <wx/init.h>

#include "window/checker_app.h"

wxIMPLEMENT_APP_NO_MAIN(CCheckerApp);

int main(int argc, char** argv) {
    // File names are bytes: they are kept before the toolkit turns the
    // arguments into text, and the toolkit sees none of them, so a file
    // named like one of its options is still a file.
    KeepCommandLine(argc, argv);
    char* toolkitArgv[] = {argv[0], nullptr};
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, toolkitArgv);
}
