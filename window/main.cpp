#include <wx/init.h>

#include <string>
#include <vector>

#include "platform/process_info.h"
#include "window/checker_app.h"

wxIMPLEMENT_APP_NO_MAIN(CCheckerApp);

int main(int argc, char** argv) {
    // File names are kept before the toolkit turns the arguments into text,
    // and the toolkit sees none of them, so a file named like one of its
    // options is still a file. On Windows they come from the UTF-16 command
    // line: the narrow argv would turn a name outside the code page into "?".
    std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    KeepCommandLine(static_cast<int>(arguments.size()), pointers.data());
    char* toolkitArgv[] = {argv[0], nullptr};
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, toolkitArgv);
}
