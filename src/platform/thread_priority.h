// Scheduling hints for worker threads.
#pragma once

namespace platform {

// Makes the calling thread yield to everything else (music refills run like
// this: they have two seconds of slack). False when the host refused.
bool LowerCurrentThreadPriority();

}  // namespace platform
