// Profile strings on disk: whole-file reads, and writes that replace the
// file in one step so that a crash never leaves half of it behind.
#include "platform/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <random>

#include "platform/paths.h"
#include "platform/profile_parse.h"

namespace platform {

namespace {

// Settings files are small; anything bigger than this is not one of ours.
constexpr size_t kMaxProfileBytes = size_t(16) << 20;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
  char chunk[16384];
  for (;;) {
    const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      return ReadResult::Failed;
    }
    if (got == 0) return ReadResult::Ok;
    if (out.size() + size_t(got) > kMaxProfileBytes) return ReadResult::Failed;
    out.append(chunk, size_t(got));
  }
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = ::write(fd, data.data(), data.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(size_t(put));
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writes content to a fresh file beside target and renames it over target.
bool ReplaceFile(const std::string& target, std::string_view content, std::optional<mode_t> mode) {
  std::random_device entropy;
  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 16 && raw < 0; ++attempt) {
    temp = target + ".tmp" + std::to_string(entropy());
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) return false;
  }
  if (raw < 0) return false;
  Fd fd(raw);
  bool ok = WriteAll(fd.get(), content);
  if (ok && mode) ok = ::fchmod(fd.get(), *mode & 07777) == 0;
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.close() && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable; the file is already complete either way.
  Fd dir(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

// A value is one line: anything from a line end or NUL on would turn into
// lines of its own.
std::string_view OneLine(std::string_view value) {
  return value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
}

}  // namespace

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, const std::string& path,
                             size_t bufferSize) {
  std::string content;
  std::optional<std::string> value;
  if (ReadWholeFile(ResolvePath(path), content) == ReadResult::Ok)
    value = FindProfileValue(content, section, key);
  if (!value) {
    std::string_view d = defaultValue;
    while (!d.empty() && (d.back() == ' ' || d.back() == '\t')) d.remove_suffix(1);
    value = std::string(d);
  }
  if (bufferSize == 0) return {};
  if (value->size() > bufferSize - 1) value->resize(bufferSize - 1);
  return *value;
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& path) {
  if (!IsValidProfileName(section) || !IsValidProfileName(key)) return false;
  std::string target = ResolvePath(path);
  std::string content;
  std::optional<mode_t> mode;
  switch (ReadWholeFile(target, content)) {
    case ReadResult::Failed:
      return false;
    case ReadResult::Missing:
      break;
    case ReadResult::Ok: {
      // A read-only file stays as it is; a link is followed so that the file
      // it points to is replaced, not the link.
      if (::access(target.c_str(), W_OK) != 0) return false;
      char real[PATH_MAX];
      if (::realpath(target.c_str(), real)) target = real;
      struct stat st {};
      if (::stat(target.c_str(), &st) == 0) mode = st.st_mode;
      break;
    }
  }
  return ReplaceFile(target, SetProfileValue(content, section, key, OneLine(value)), mode);
}

}  // namespace platform
