// Starting programs and the browser. The child is started directly with its
// argument vector (no shell ever sees the text), and a small detached thread
// waits for it so that no finished child lingers as a zombie. Ignoring
// SIGCHLD would do the same but changes the whole process's behaviour.
#include "platform/system.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

#include "platform/ascii.h"
#include "platform/paths.h"

extern char** environ;

namespace platform {

namespace {

class SpawnActions {
 public:
  SpawnActions() { ok_ = ::posix_spawn_file_actions_init(&actions_) == 0; }
  ~SpawnActions() {
    if (ok_) ::posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  bool ok() const { return ok_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
  bool ok_ = false;
};

class SpawnAttributes {
 public:
  SpawnAttributes() {
    ok_ = ::posix_spawnattr_init(&attr_) == 0;
    if (!ok_) return;
    // The child starts with no blocked signals and default handlers,
    // whatever this process has set up for itself.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ok_ = ::posix_spawnattr_setsigmask(&attr_, &none) == 0 &&
          ::posix_spawnattr_setsigdefault(&attr_, &all) == 0 &&
          ::posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
  }
  ~SpawnAttributes() { ::posix_spawnattr_destroy(&attr_); }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  bool ok() const { return ok_; }
  posix_spawnattr_t* get() { return &attr_; }

 private:
  posix_spawnattr_t attr_;
  bool ok_ = false;
};

// Starts file (searched on PATH when search is set) with args in directory
// (the current one when empty) and reaps it in the background.
bool Spawn(const std::string& file, const std::vector<std::string>& args,
           const std::string& directory, bool search) {
  SpawnActions actions;
  SpawnAttributes attributes;
  if (!actions.ok() || !attributes.ok()) return false;
  if (!directory.empty() &&
      ::posix_spawn_file_actions_addchdir_np(actions.get(), directory.c_str()) != 0)
    return false;

  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int rc = search ? ::posix_spawnp(&pid, file.c_str(), actions.get(), attributes.get(),
                                         argv.data(), environ)
                        : ::posix_spawn(&pid, file.c_str(), actions.get(), attributes.get(),
                                        argv.data(), environ);
  if (rc != 0) return false;
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace

bool SpawnLauncher::startProgram(const std::string& program, const std::string& argument,
                                 const std::string& directory) {
  if (program.empty()) return false;
  // The child changes into directory before it starts; a relative program
  // path is meant from here, not from there.
  std::string path = program;
  if (path[0] != '/') {
    const std::string here = CurrentDirectory();
    if (here.empty()) return false;
    path = here + "/" + path;
  }
  std::vector<std::string> args{program};
  if (!argument.empty()) args.push_back(argument);
  return Spawn(path, args, directory, false);
}

bool SpawnLauncher::openUrl(const std::string& url) {
  const bool web =
      StartsWithIgnoringAsciiCase(url, "http://") || StartsWithIgnoringAsciiCase(url, "https://");
  if (!web) return false;
  for (const char c : url)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return Spawn("xdg-open", {"xdg-open", url}, {}, true);
}

}  // namespace platform
