#include <wx/init.h>

#ifdef _WIN32
#include <string>
#include <string_view>
#include <vector>

#include "platform/wide_text.h"
#endif

#include "window/checker_app.h"

wxIMPLEMENT_APP_NO_MAIN(CCheckerApp);

// File names are kept before the toolkit turns the arguments into text, and
// the toolkit sees none of them, so a file named like one of its options is
// still a file.
#ifdef _WIN32
// The system's own UTF-16 arguments (linked with -municode), whatever the code
// page: the narrow ones would turn a name outside it into question marks.
int wmain(int argc, wchar_t** argv) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(Utf8FromWide(reinterpret_cast<const char16_t*>(argv[i])));
    }
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    KeepCommandLine(argc, pointers.data());
    wchar_t* toolkitArgv[] = {argv[0], nullptr};
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, toolkitArgv);
}
#else
int main(int argc, char** argv) {
    KeepCommandLine(argc, argv);
    char* toolkitArgv[] = {argv[0], nullptr};
    int toolkitArgc = 1;
    return wxEntry(toolkitArgc, toolkitArgv);
}
#endif
