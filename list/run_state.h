// Who may change the rows right now. Intakes (drops and added files), check
// runs and renamings take turns through these transitions, each made under one
// lock; the window asks and never sets anything itself. A check that was told
// to stop is over only when its worker has ended.
#pragma once

#include <atomic>
#include <mutex>

enum class CheckCommand {
    Started,    // a new run may begin: the caller starts its worker
    AskToStop,  // an intake or a run is going on: ask the user whether to stop
    Ignored,    // a stopping run has not ended yet, or a renaming runs
};

class RunState {
public:
    // Dropped or added files are taken in only while nothing renames and no
    // other intake runs, except beside a check run, which checks their rows too.
    bool IntakeAccepted() const;
    bool TryBeginIntake();
    void EndIntake();

    // Tool > Check. On Started the run counts as going from here on.
    CheckCommand RequestCheck();
    // The user confirmed "Stop OK?". True when a run was there to stop.
    bool ConfirmStop();
    bool StopRequested() const { return m_stopRequested.load(std::memory_order_acquire); }
    void EndCheck();
    bool CheckRunning() const;
    // What RequestCheck would answer with Ignored: a renaming runs, or a run is stopping.
    bool CheckRefused() const;

    // A double click's dialogs or an Auto Rename: one at a time, and only
    // while nothing else changes the rows.
    bool TryBeginRenaming();
    void EndRenaming();

    // File > New and removing rows: only while nothing runs at all.
    bool ListChangesAllowed() const;

private:
    bool IntakeAcceptedLocked() const { return !m_renaming && (m_intakes == 0 || m_checkRunning); }
    bool NothingRunning() const { return m_intakes == 0 && !m_checkRunning && !m_renaming; }

    mutable std::mutex m_mutex;
    int m_intakes = 0;
    bool m_checkRunning = false;
    bool m_renaming = false;
    std::atomic<bool> m_stopRequested{false};
};
