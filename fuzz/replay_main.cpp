// Runs a fuzz target over every file of the folders given, so that the
// seed corpus (and any input that once crashed, kept there) is replayed by
// the normal test run. An empty corpus is a failure, not a pass.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/scratch_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
      if (!entry.is_regular_file()) continue;
      const std::string bytes = test_support::ScratchDir::ReadFile(entry.path().string());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++inputs;
    }
  }
  std::printf("%d inputs replayed\n", inputs);
  return inputs > 0 ? 0 : 1;
}
