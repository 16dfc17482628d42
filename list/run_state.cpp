#include "list/run_state.h"

bool RunState::IntakeAccepted() const {
    std::lock_guard lock(m_mutex);
    return IntakeAcceptedLocked();
}

bool RunState::TryBeginIntake() {
    std::lock_guard lock(m_mutex);
    if (!IntakeAcceptedLocked()) return false;
    ++m_intakes;
    return true;
}

void RunState::EndIntake() {
    std::lock_guard lock(m_mutex);
    if (m_intakes > 0) --m_intakes;
}

CheckCommand RunState::RequestCheck() {
    std::lock_guard lock(m_mutex);
    if (m_renaming) return CheckCommand::Ignored;
    // A stopping worker finishes its row first; a second one would share the
    // counters and the rows with it.
    if (m_checkRunning && m_stopRequested) return CheckCommand::Ignored;
    if (m_checkRunning || m_intakes > 0) return CheckCommand::AskToStop;
    m_checkRunning = true;
    m_stopRequested = false;
    return CheckCommand::Started;
}

bool RunState::ConfirmStop() {
    std::lock_guard lock(m_mutex);
    // Without a run the request stays until the next run starts.
    m_stopRequested = true;
    return m_checkRunning;
}

void RunState::EndCheck() {
    std::lock_guard lock(m_mutex);
    m_checkRunning = false;
}

bool RunState::CheckRunning() const {
    std::lock_guard lock(m_mutex);
    return m_checkRunning;
}

bool RunState::CheckRefused() const {
    std::lock_guard lock(m_mutex);
    return m_renaming || (m_checkRunning && m_stopRequested);
}

bool RunState::TryBeginRenaming() {
    std::lock_guard lock(m_mutex);
    if (!NothingRunning()) return false;
    m_renaming = true;
    return true;
}

void RunState::EndRenaming() {
    std::lock_guard lock(m_mutex);
    m_renaming = false;
}

bool RunState::ListChangesAllowed() const {
    std::lock_guard lock(m_mutex);
    return NothingRunning();
}
