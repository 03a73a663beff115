#pragma once

// Scheduling of the time-critical audio threads. SCHED_FIFO where the system grants it; when it
// refuses (no privilege, no rtprio limit) the thread keeps its normal priority, silently.
namespace KDRealtimeThread {

// Raises the calling thread; true when it now runs under SCHED_FIFO.
bool RaiseCurrent();
// Returns the calling thread to normal scheduling.
void LowerCurrent();

}  // namespace KDRealtimeThread
