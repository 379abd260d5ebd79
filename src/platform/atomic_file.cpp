#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <random>
#include <system_error>

#include "platform/file_descriptor.h"

namespace platform {

namespace {

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

// The system's words for the last failure, for the player to read.
bool Fail(std::string* why, int error) {
  if (why) *why = std::generic_category().message(error);
  return false;
}

// Writes content to a fresh file beside target and renames it over target.
// nullopt when no file could be made beside target (the folder takes none).
std::optional<bool> WriteAndRename(const std::string& target, std::string_view content,
                                   std::optional<mode_t> mode, std::string* why) {
  std::random_device entropy;
  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 16 && raw < 0; ++attempt) {
    temp = target + ".tmp" + std::to_string(entropy());
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) {
      if (errno == EACCES || errno == EPERM) return std::nullopt;
      return Fail(why, errno);
    }
  }
  if (raw < 0) return Fail(why, EEXIST);
  FileDescriptor fd(raw);
  bool ok = WriteAll(fd.get(), content);
  if (ok && mode) ok = ::fchmod(fd.get(), *mode & 07777) == 0;
  ok = ok && ::fsync(fd.get()) == 0;
  int error = errno;
  if (!fd.close() && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return Fail(why, error);
  }
  // Make the rename itself durable; the file is already complete either way.
  FileDescriptor dir(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

// The file is writable but its folder is not: the new bytes go over the old
// ones, the rest is cut off, and the result is synced.
bool RewriteInPlace(const std::string& target, std::string_view content, std::string* why) {
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (fd.get() < 0) return Fail(why, errno);
  const bool ok = WriteAll(fd.get(), content) &&
                  ::ftruncate(fd.get(), off_t(content.size())) == 0 && ::fsync(fd.get()) == 0;
  const int error = errno;
  if (!ok) return Fail(why, error);
  return fd.close() || Fail(why, errno);
}

}  // namespace

bool ReplaceFileContents(const std::string& hostPath, std::string_view content, std::string* why) {
  std::string target = hostPath;
  std::optional<mode_t> mode;
  if (::access(target.c_str(), F_OK) == 0) {
    if (::access(target.c_str(), W_OK) != 0) return Fail(why, errno);
    char real[PATH_MAX];
    if (::realpath(target.c_str(), real)) target = real;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) mode = st.st_mode;
  }
  if (const std::optional<bool> done = WriteAndRename(target, content, mode, why)) return *done;
  // Nothing can be made beside the file; an existing writable file can
  // still take its new contents where it stands.
  if (!mode || !S_ISREG(*mode)) return Fail(why, EACCES);
  return RewriteInPlace(target, content, why);
}

}  // namespace platform
