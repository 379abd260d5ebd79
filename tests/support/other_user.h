// Runs a check in a child process under an unprivileged user, for tests of
// permission rules that root would bypass.
#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace test_support {

constexpr uid_t kNobody = 65534;

// The child's result: true when check() returned true. False when the child
// could not be started or could not drop its privileges.
inline bool RunAsNobody(const std::function<bool()>& check) {
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline bool IsRoot() { return ::geteuid() == 0; }

}  // namespace test_support
