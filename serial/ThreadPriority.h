#pragma once

// Gives the calling thread a higher scheduling priority: `raise` steps below the normal nice
// value. Without the privilege for it the thread keeps its priority; that is not an error.
void RaiseCurrentThreadPriority(int raise);
