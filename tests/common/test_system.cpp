#include "tests/common/test_system.h"

#ifdef _WIN32

#include <windows.h>

#include <atomic>
#include <cwctype>
#include <map>

#include "platform/wide_text.h"

namespace testsystem {

namespace {

std::wstring Wide(const std::string& utf8) {
    const std::u16string wide = WideFromUtf8(utf8).value_or(u"");
    return std::wstring(wide.begin(), wide.end());
}

std::string LastPart(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Quoted for the C runtime's reading of a command line: backslashes are
// literal except before a quote.
std::wstring QuotedArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

// The environment of this process with `changes` made, as CreateProcessW takes it.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::map<std::wstring, std::wstring> byUpperName;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        std::wstring name = text.substr(0, text.find(L'=', 1));
        for (wchar_t& c : name) c = std::towupper(c);
        byUpperName[name] = text;
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : changes) {
        std::wstring upper = Wide(name);
        for (wchar_t& c : upper) c = std::towupper(c);
        byUpperName[upper] = Wide(name) + L"=" + Wide(value);
    }
    std::wstring block;
    for (const auto& entry : byUpperName) block += entry.second + L'\0';
    return block + L'\0';
}

HANDLE InheritableFile(const std::string& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(Wide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void CloseIfOpen(intptr_t& handle) {
    if (handle != -1) CloseHandle(reinterpret_cast<HANDLE>(handle));
    handle = -1;
}

}  // namespace

const char* const kZeroDevice = "NUL";
const char* const kNullDevice = "NUL";
const char* const kConfigVariable = "APPDATA";
const char* const kConfigSubfolder = "Quorvane";

std::FILE* FileWithText(const std::string& text) {
    static std::atomic<int> count{0};
    wchar_t folder[MAX_PATH + 1];
    if (GetTempPathW(MAX_PATH + 1, folder) == 0) return nullptr;
    const std::wstring path = folder + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count) +
                              L".quorvane-test";
    std::FILE* file = _wfopen(path.c_str(), L"w+bD");  // D: deleted on close
    if (file == nullptr) return nullptr;
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    return file;
}

Fifo::Fifo(const std::string& path) {
    static std::atomic<int> count{0};
    m_path = "\\\\.\\pipe\\quorvane-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count) +
             "-" + LastPart(path);
    const HANDLE pipe = CreateNamedPipeW(Wide(m_path).c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                         PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, nullptr);
    m_made = pipe != INVALID_HANDLE_VALUE;
    if (m_made) m_handle = reinterpret_cast<intptr_t>(pipe);
}

Fifo::~Fifo() { CloseIfOpen(m_handle); }

// A reader waiting on the pipe sees it broken.
void Fifo::Unblock() { CloseIfOpen(m_handle); }

Denied::Denied(Denial denial, const std::string& path) : m_denial(denial), m_path(path) {
    const DWORD sharing = denial == Denial::RenameFile ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const DWORD flags = denial == Denial::ListFolder ? FILE_FLAG_BACKUP_SEMANTICS : FILE_ATTRIBUTE_NORMAL;
    const HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle != INVALID_HANDLE_VALUE) m_handle = reinterpret_cast<intptr_t>(handle);
}

Denied::~Denied() { CloseIfOpen(m_handle); }

bool DenialsApply() { return true; }

// Windows asks for administrator rights or Developer Mode to make one.
bool HasSymbolicLinks() { return false; }
bool MakeSymbolicLink(const std::string&, const std::string&) { return false; }

void MarkHidden(const std::string& path) {
    const std::wstring wide = Wide(path);
    SetFileAttributesW(wide.c_str(), GetFileAttributesW(wide.c_str()) | FILE_ATTRIBUTE_HIDDEN);
}

int RunProgram(const ProgramRun& run) {
    std::wstring commandLine = QuotedArgument(Wide(run.program));
    for (const std::string& argument : run.arguments) commandLine += L" " + QuotedArgument(Wide(argument));
    std::wstring environment = EnvironmentBlock(run.environment);

    HANDLE out;
    if (run.unwritableOutput) {
        // A handle without write access: every write to it fails.
        CloseHandle(InheritableFile(run.outPath, GENERIC_WRITE, CREATE_ALWAYS));
        out = InheritableFile(run.outPath, GENERIC_READ, OPEN_EXISTING);
    } else {
        out = InheritableFile(run.outPath, GENERIC_WRITE, CREATE_ALWAYS);
    }
    HANDLE err = run.errPath.empty() ? GetStdHandle(STD_ERROR_HANDLE)
                                     : InheritableFile(run.errPath, GENERIC_WRITE, CREATE_ALWAYS);
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE) return -1;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const bool started =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
                       environment.data(), Wide(run.folder).c_str(), &startup, &process);
    CloseHandle(out);
    if (!run.errPath.empty()) CloseHandle(err);
    if (!started) return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(exitCode);
}

}  // namespace testsystem

#else  // POSIX

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace testsystem {

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

}  // namespace

const char* const kZeroDevice = "/dev/zero";
const char* const kNullDevice = "/dev/null";
const char* const kConfigVariable = "XDG_CONFIG_HOME";
const char* const kConfigSubfolder = "quorvane";

std::FILE* FileWithText(const std::string& text) {
    return fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
}

Fifo::Fifo(const std::string& path) : m_path(path), m_made(::mkfifo(path.c_str(), 0644) == 0) {}

Fifo::~Fifo() = default;

// A writer that comes and goes ends the wait of a reader's open.
void Fifo::Unblock() {
    const int writer = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) ::close(writer);
}

Denied::Denied(Denial denial, const std::string& path) : m_denial(denial), m_path(path) {
    if (denial == Denial::RenameFile) ::chmod(FolderOf(path).c_str(), 0555);
    else ::chmod(path.c_str(), 0);
}

Denied::~Denied() {
    if (m_denial == Denial::RenameFile) ::chmod(FolderOf(m_path).c_str(), 0755);
    else ::chmod(m_path.c_str(), m_denial == Denial::ListFolder ? 0755 : 0644);
}

bool DenialsApply() { return ::geteuid() != 0; }

bool HasSymbolicLinks() { return true; }
bool MakeSymbolicLink(const std::string& target, const std::string& path) {
    return ::symlink(target.c_str(), path.c_str()) == 0;
}

void MarkHidden(const std::string&) {}

int RunProgram(const ProgramRun& run) {
    std::string command = "cd " + Quote(run.folder) + " &&";
    for (const auto& [name, value] : run.environment) command += " " + name + "=" + Quote(value);
    command += " " + Quote(run.program);
    for (const std::string& argument : run.arguments) command += " " + Quote(argument);
    command += " >" + (run.unwritableOutput ? std::string("/dev/full") : Quote(run.outPath));
    if (!run.errPath.empty()) command += " 2>" + Quote(run.errPath);
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsystem

#endif
