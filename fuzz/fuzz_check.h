// What every fuzz target shares: a failed check aborts, so both libFuzzer
// and the seed replay under CTest report it.
#pragma once
#include <cstdlib>

namespace fuzz_support {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace fuzz_support
