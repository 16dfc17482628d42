#include "cli/progress_line.h"

#include <cstdio>

ProgressLine::ProgressLine(bool shown, bool recordsOnTerminal)
    : m_shown(shown), m_recordsOnTerminal(recordsOnTerminal), m_start(std::chrono::steady_clock::now()), m_lastDraw(m_start) {}

void ProgressLine::Count() {
    ++m_count;
    if (!m_shown) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastDraw < std::chrono::milliseconds(200)) return;
    m_lastDraw = now;
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    // Records already written must reach the terminal before the line is drawn under them.
    std::fflush(stdout);
    std::fprintf(stderr, "\r\033[K%ld files judged, %.0f files/s", m_count, seconds > 0 ? m_count / seconds : 0.0);
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressLine::BeforeRecord() {
    if (m_recordsOnTerminal) Clear();
}

void ProgressLine::Clear() {
    if (!m_drawn) return;
    std::fflush(stdout);
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_drawn = false;
}
