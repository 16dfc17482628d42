// A one-line count of files judged on standard error, redrawn at most five
// times a second. Only used when standard error is a terminal.
#pragma once

#include <chrono>

class ProgressLine {
public:
    // `recordsOnTerminal`: the records go to the same screen, so the line is
    // taken away before each one.
    ProgressLine(bool shown, bool recordsOnTerminal);
    void Count();
    // Before a record is written.
    void BeforeRecord();
    void Clear();

private:
    bool m_shown;
    bool m_recordsOnTerminal;
    bool m_drawn = false;
    long m_count = 0;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDraw;
};
