#include <wx/init.h>

#include "platform/launch_gathering.h"
#include "platform/process_info.h"
#include "window/checker_app.h"

wxIMPLEMENT_APP_NO_MAIN(CCheckerApp);

int main(int argc, char** argv) {
    // File names are kept before the toolkit turns the arguments into text,
    // and the toolkit sees none of them, so a file named like one of its
    // options is still a file. On Windows they come from the UTF-16 command
    // line: the narrow argv would turn a name outside the code page into "?".
    CommandLine commandLine = ParseCommandLine(CommandLineArguments(argc, argv));
    if (commandLine.checkAtOnce) {
        // Explorer starts "Check with Quorvane" once per selected item: one window checks them all.
        std::optional<std::vector<std::string>> gathered = GatherLaunchPaths(std::move(commandLine.paths));
        if (!gathered) return 0;
        commandLine.paths = std::move(*gathered);
    }
    wxApp::SetInstance(new CCheckerApp(std::move(commandLine)));
    char* toolkitArgv[] = {argv[0], nullptr};
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, toolkitArgv);
}
