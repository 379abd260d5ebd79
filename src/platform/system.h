// Starting other programs and opening web pages, and message boxes: the
// ways a program reaches outside itself. Tests swap in recorders.
#pragma once
#include <string>
#include <vector>

namespace platform {

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts program (a host path) with one argument (omitted when empty) in
  // directory. No shell is involved. False when it could not be started.
  virtual bool startProgram(const std::string& program, const std::string& argument,
                            const std::string& directory) = 0;
  // Opens an http(s) URL in the user's browser.
  virtual bool openUrl(const std::string& url) = 0;
};

// The real thing: posix_spawn; URLs through xdg-open.
class SpawnLauncher : public ProgramLauncher {
 public:
  bool startProgram(const std::string& program, const std::string& argument,
                    const std::string& directory) override;
  bool openUrl(const std::string& url) override;
};

// Keeps what it was asked to do; reports failure while `fail` is set.
class RecordingLauncher : public ProgramLauncher {
 public:
  struct Launch {
    std::string program, argument, directory, url;
  };
  bool startProgram(const std::string& program, const std::string& argument,
                    const std::string& directory) override {
    launches.push_back({program, argument, directory, {}});
    return !fail;
  }
  bool openUrl(const std::string& url) override {
    launches.push_back({{}, {}, {}, url});
    return !fail;
  }
  std::vector<Launch> launches;
  bool fail = false;
};

}  // namespace platform
