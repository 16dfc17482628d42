#include "platform/process_info.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

#include "platform/win32/wide_path.h"

long CurrentProcessId() { return static_cast<long>(GetCurrentProcessId()); }

namespace {

// A console, not a pipe or a file: only a console shows a redrawn progress line.
bool IsConsole(DWORD which) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

}  // namespace

bool StandardErrorIsTerminal() { return IsConsole(STD_ERROR_HANDLE); }

bool StandardOutputIsTerminal() { return IsConsole(STD_OUTPUT_HANDLE); }

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return {argv, argv + argc};
    std::vector<std::string> arguments;
    arguments.reserve(count);
    for (int i = 0; i < count; ++i) arguments.push_back(Utf8Path(wide[i]));
    LocalFree(wide);
    return arguments;
}

namespace {

UINT g_consoleCodePage = 0;

void RestoreConsoleCodePage() { SetConsoleOutputCP(g_consoleCodePage); }

}  // namespace

void PrepareStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if ((StandardOutputIsTerminal() || StandardErrorIsTerminal()) && GetConsoleOutputCP() != CP_UTF8) {
        g_consoleCodePage = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
        std::atexit(&RestoreConsoleCodePage);
    }
}
