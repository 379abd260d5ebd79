#include "platform/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_descriptor.h"

namespace platform {

ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& out) {
  out.clear();
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
  char chunk[16384];
  for (;;) {
    const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      return ReadResult::Failed;
    }
    if (got == 0) return ReadResult::Ok;
    if (out.size() + size_t(got) > maxBytes) return ReadResult::Failed;
    out.append(chunk, size_t(got));
  }
}

}  // namespace platform
