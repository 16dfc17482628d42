// quorvane-check's exit statuses; when several apply, the highest wins.
#pragma once

#include <algorithm>

constexpr int kExitRan = 0;
constexpr int kExitBadTable = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRenameFailed = 3;
constexpr int kExitNotJudged = 4;
constexpr int kExitWriteFailed = 5;
constexpr int kExitNotJournalled = 6;

// The status a run ends with, raised by each thing that went wrong.
class ExitStatus {
public:
    void Raise(int status) { m_status = std::max(m_status, status); }
    int Value() const { return m_status; }

private:
    int m_status = kExitRan;
};
