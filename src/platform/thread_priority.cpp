#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

bool LowerCurrentThreadPriority() {
  // On Linux the nice value belongs to the thread, addressed by its id.
  const auto tid = static_cast<id_t>(syscall(SYS_gettid));
  return setpriority(PRIO_PROCESS, tid, 19) == 0;
}

}  // namespace platform
