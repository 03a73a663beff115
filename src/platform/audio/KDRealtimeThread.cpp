#include "platform/audio/KDRealtimeThread.h"

#include <pthread.h>
#include <sched.h>

namespace KDRealtimeThread {

bool RaiseCurrent() {
    sched_param param{};
    // High enough to run ahead of the desktop, below the sound server's own threads.
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 60;
    int maxPriority = sched_get_priority_max(SCHED_FIFO);
    if (param.sched_priority > maxPriority) param.sched_priority = maxPriority;
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

void LowerCurrent() {
    sched_param param{};
    param.sched_priority = 0;
    pthread_setschedparam(pthread_self(), SCHED_OTHER, &param);
}

}  // namespace KDRealtimeThread
