// Standard output as the records reach it, and the one place that tells
// whether they all did.
#pragma once

#include <cstdio>

class Output {
public:
    explicit Output(std::FILE* file = stdout) : m_file(file) {}
    std::FILE* File() const { return m_file; }

    // A write has failed (a full disk, a reader that closed the pipe):
    // nothing more can reach the reader, so a run stops here.
    bool Failed();

    // Flushes what is left. When the output could not all be written, says so
    // on standard error and returns the write failure's status if it is
    // higher than `status`; otherwise returns `status`.
    int Finish(int status);

private:
    std::FILE* m_file;
    int m_error = 0;  // the system's error number of the first failed write
};
