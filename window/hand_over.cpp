#include "window/hand_over.h"

#include <wx/window.h>

void GuiHandOver::Post(std::function<void()> work) {
    std::lock_guard lock(m_mutex);
    // Queuing under the lock: the window cannot be destroyed in between.
    if (m_window) m_window->CallAfter(std::move(work));
}

void GuiHandOver::Detach() {
    std::lock_guard lock(m_mutex);
    m_window = nullptr;
}

bool GuiHandOver::Attached() const {
    std::lock_guard lock(m_mutex);
    return m_window != nullptr;
}
