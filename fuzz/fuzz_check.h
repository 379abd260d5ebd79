// What every fuzz target shares: a failed check aborts, so both libFuzzer
// and the seed replay under CTest report it.
#pragma once
#include <cstdlib>
#include <filesystem>

#include "support/scratch_dir.h"

namespace fuzz_support {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// The folder a target works in, made once per process and entered, so that
// the short relative names the programs use resolve quickly. It lies in
// memory where there is such a folder: every save is synced, which on a
// disk costs more than all the rest of a run.
inline const test_support::ScratchDir& WorkDir() {
  static const test_support::ScratchDir dir = [] {
    if (std::filesystem::is_directory("/dev/shm")) setenv("TMPDIR", "/dev/shm", 1);
    return test_support::ScratchDir();
  }();
  static const bool entered = (std::filesystem::current_path(dir.path()), true);
  (void)entered;
  return dir;
}

}  // namespace fuzz_support
