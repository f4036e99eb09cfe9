#include "serial/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

void RaiseCurrentThreadPriority(int raise) {
    // On Linux the nice value belongs to the thread named by its id.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), -raise);
}
