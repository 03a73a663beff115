#pragma once

// After a file dialog accepts on a double click, the release of that click can still be queued
// and would land on the window beneath. This waits up to 500 ms, 50 ms at a time, for one
// left-button release and drops it.
void swallowPendingMouseUp();
