// Lets a worker have something done on the window's thread without keeping a
// pointer to a window that may be gone. The window detaches it when it is
// destroyed; later posts are dropped. Nothing ever waits for the window.
#pragma once

#include <functional>
#include <memory>
#include <mutex>

class wxWindow;

class GuiHandOver {
public:
    explicit GuiHandOver(wxWindow* window) : m_window(window) {}

    // Any thread. Queues `work` on the window, or drops it once detached.
    // Work queued before the window is destroyed is discarded with it.
    void Post(std::function<void()> work);

    // The window's thread, while the window is being destroyed.
    void Detach();

    bool Attached() const;

private:
    mutable std::mutex m_mutex;
    wxWindow* m_window;
};
