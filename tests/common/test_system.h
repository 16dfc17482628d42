// The few operating-system services the core tests need beyond the program's
// own system layer: special files, access that is refused, and running a
// program. Each has a POSIX and a Windows form; where Windows has no
// counterpart, the test asks Has... and skips with the reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testsystem {

// A character device every open succeeds on and no read ends: "/dev/zero" and
// "/dev/null" on POSIX, "NUL" on Windows.
extern const char* const kZeroDevice;
extern const char* const kNullDevice;

// `text` as a file open for reading from its start; it goes when closed.
std::FILE* FileWithText(const std::string& text);

// A pipe a reader would wait on: a FIFO at `path` on POSIX; on Windows a
// named pipe, which lives in \\.\pipe\ and not in a folder, so its path ends
// in the last part of `path`. It stays while the object lives.
class Fifo {
public:
    explicit Fifo(const std::string& path);
    ~Fifo();
    Fifo(const Fifo&) = delete;
    Fifo& operator=(const Fifo&) = delete;
    bool Made() const { return m_made; }
    const std::string& Path() const { return m_path; }
    // Sets free a reader that waits on the pipe.
    void Unblock();

private:
    std::string m_path;
    bool m_made = false;
    intptr_t m_handle = -1;
};

// What a Denied object refuses this process, while it lives.
enum class Denial {
    ReadFile,      // the file: mode 0 on POSIX; held open without sharing on Windows
    ListFolder,    // the folder: mode 0 on POSIX; held open without sharing on Windows
    RenameFile,    // the file: its folder made read-only on POSIX; held open without delete sharing on Windows
};

class Denied {
public:
    Denied(Denial denial, const std::string& path);
    ~Denied();
    Denied(const Denied&) = delete;
    Denied& operator=(const Denied&) = delete;

private:
    Denial m_denial;
    std::string m_path;
    intptr_t m_handle = -1;
};

// Whether a Denied object binds this process: on POSIX root passes every
// permission check.
bool DenialsApply();

// Whether this system can make symbolic links without special rights.
bool HasSymbolicLinks();
// A symbolic link at `path` to `target`; false when it cannot be made.
bool MakeSymbolicLink(const std::string& target, const std::string& path);

// Marks a file or folder hidden the system's way: its name starting with a
// dot does it on POSIX, the hidden attribute on Windows.
void MarkHidden(const std::string& path);

// The environment variable that names the user's configuration folder to
// quorvane-check, and the folder under it that holds the user's table.
extern const char* const kConfigVariable;
extern const char* const kConfigSubfolder;

struct ProgramRun {
    std::string program;
    std::vector<std::string> arguments;
    std::string folder;                                              // the working folder
    std::vector<std::pair<std::string, std::string>> environment;   // set for the child only
    std::string outPath;                                             // standard output goes here
    std::string errPath;                                             // standard error, when not empty
    bool unwritableOutput = false;  // standard output that fails every write instead
};

// Runs the program to its end; its exit status, or -1 when it could not run.
int RunProgram(const ProgramRun& run);

}  // namespace testsystem
