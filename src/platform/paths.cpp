// Windows-style paths on a case-sensitive file system, and directory listing.
#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string_view>

#include "platform/ascii.h"

namespace platform {

namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Names in the open directory other than "." and "..", sorted.
std::vector<std::string> SortedNames(DIR* d) {
  std::vector<std::string> names;
  while (const dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

using Directory = std::unique_ptr<DIR, int (*)(DIR*)>;

Directory OpenDirectory(const std::string& dir) {
  return Directory(::opendir(dir.empty() ? "." : dir.c_str()), &::closedir);
}

// The attributes of the entry name in the open directory.
uint32_t AttributesOf(DIR* dir, const std::string& name) {
  struct stat st {};
  const bool known = ::fstatat(::dirfd(dir), name.c_str(), &st, 0) == 0;
  uint32_t attributes = known && S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
  // Read-only is a property of the entry, whoever asks (root may write
  // anything): no one is given write permission.
  if (!known || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttrReadOnly;
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= kAttrHidden;
  return attributes;
}

}  // namespace

std::string ResolvePath(const std::string& windowsPath) {
  std::string path = windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');

  // Built in place, one component at a time: every file the programs open
  // comes through here.
  std::string result = (!path.empty() && path[0] == '/') ? "/" : "";
  result.reserve(path.size() + 1);
  bool resolving = true;
  for (size_t pos = 0; pos < path.size();) {
    const size_t slash = std::min(path.find('/', pos), path.size());
    const std::string_view part(path.data() + pos, slash - pos);
    pos = slash + 1;
    if (part.empty()) continue;
    const size_t parent = result.size();
    if (!result.empty() && result.back() != '/') result += '/';
    const size_t start = result.size();
    result += part;
    if (resolving && part != "." && part != ".." && !Exists(result)) {
      // Only the directory reached so far is searched, never anywhere else.
      resolving = false;
      const Directory dir = OpenDirectory(result.substr(0, parent));
      for (const std::string& name : dir ? SortedNames(dir.get()) : std::vector<std::string>{}) {
        if (EqualIgnoringAsciiCase(name, part)) {
          result.replace(start, std::string::npos, name);
          resolving = true;
          break;
        }
      }
    }
  }
  if (path.size() > 1 && path.back() == '/' && result.back() != '/') result += '/';
  return result;
}

std::string CurrentDirectory() {
  std::vector<char> buffer(256);
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool SetCurrentDirectory(const std::string& path) {
  return ::chdir(ResolvePath(path).c_str()) == 0;
}

namespace {

// The running program's own file, links resolved; "" when unknown.
std::string ProgramPath() {
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  return length > 0 ? std::string(self, size_t(length)) : std::string();
}

}  // namespace

std::string ProgramDirectory() {
  const std::string program = ProgramPath();
  const size_t slash = program.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : program.substr(0, slash);
}

bool EnterProgramDirectory() {
  const std::string program = ProgramPath();
  const size_t slash = program.rfind('/');
  if (slash == std::string::npos) return false;
  struct stat running {}, here {};
  if (::stat("/proc/self/exe", &running) == 0 &&
      ::stat(program.substr(slash + 1).c_str(), &here) == 0 && running.st_dev == here.st_dev &&
      running.st_ino == here.st_ino)
    return true;
  return ::chdir(slash == 0 ? "/" : program.substr(0, slash).c_str()) == 0;
}

std::vector<DirEntry> ListDirectory(const std::string& path) {
  std::vector<DirEntry> entries;
  const std::string dir = ResolvePath(path);
  const Directory d = OpenDirectory(dir);
  if (!d) return entries;
  for (const std::string& name : {std::string("."), std::string("..")})
    entries.push_back({name, AttributesOf(d.get(), name)});
  for (const std::string& name : SortedNames(d.get()))
    entries.push_back({name, AttributesOf(d.get(), name)});
  return entries;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(ResolvePath(path).c_str(), &st) == 0;
}

}  // namespace platform
