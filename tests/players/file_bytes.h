// Byte helpers for the player tests' files, and a save that runs out of room.
#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace players_test {

using test_support::ScratchDir;

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string bytes = ScratchDir::ReadFile(path);
  return {bytes.begin(), bytes.end()};
}

// True when write() fails in a child allowed files of at most `room` bytes:
// a full disk without filling one.
inline bool FailsWithRoomFor(rlim_t room, const std::function<bool()>& write) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{room, room};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(write() ? 1 : 0);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace players_test
