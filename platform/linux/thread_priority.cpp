#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

void LowerCurrentThreadPriority() {
    // On Linux a nice value belongs to the thread named by its id.
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    const int current = ::getpriority(PRIO_PROCESS, thread);
    if (current < 10) ::setpriority(PRIO_PROCESS, thread, 10);
}
