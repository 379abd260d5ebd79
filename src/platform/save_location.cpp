#include "platform/save_location.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/paths.h"

namespace platform {

namespace {

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Parent(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Name(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string Canonical(const std::string& path) {
  char real[PATH_MAX];
  return ::realpath(path.c_str(), real) ? std::string(real) : std::string();
}

// Makes every missing folder of path, private to the user as the XDG rules
// ask for folders made under their data folder.
bool MakeFolders(const std::string& path, std::string* why) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      if (why) *why = folder + ": " + std::generic_category().message(errno);
      return false;
    }
    if (slash == std::string::npos) return true;
  }
}

const char* Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

UserEnvironment UserEnvironment::FromProcess() {
  return {Variable("XDG_DATA_HOME"), Variable("HOME")};
}

std::string UserEnvironment::DataFolder(std::string* why) const {
  // Relative values are to be ignored, as the XDG rules say.
  if (!xdgDataHome.empty() && xdgDataHome[0] == '/') return xdgDataHome;
  if (!home.empty() && home[0] == '/') return home + "/.local/share";
  if (why) *why = "there is no home folder to keep them in (HOME is not set to a full path)";
  return {};
}

std::vector<std::string> SaveLocation::ReadOrder() const {
  if (!installed) return {treeFile};
  if (userFile.empty()) return {treeFile};
  return {userFile, treeFile};
}

SaveLocation LocateSave(const std::string& windowsPath, const UserEnvironment& env) {
  SaveLocation where;
  where.treeFile = ResolvePath(windowsPath);
  // The marker stands in the launcher's folder: the file's own folder, or
  // its parent for a file in a game's folder.
  const std::string folder = Canonical(Parent(where.treeFile));
  if (folder.empty()) return where;
  std::string relative = Name(where.treeFile);
  if (!IsFile(folder + "/" + kInstalledMarker)) {
    const std::string parent = Parent(folder);
    if (folder == "/" || !IsFile((parent == "/" ? "" : parent) + "/" + kInstalledMarker))
      return where;
    relative = Name(folder) + "/" + relative;
  }
  where.installed = true;
  const std::string data = env.DataFolder(&where.problem);
  if (!data.empty()) where.userFile = ResolvePath(data + "/" + kUserFolderName + "/" + relative);
  return where;
}

SaveLocation LocateSave(const std::string& windowsPath) {
  return LocateSave(windowsPath, UserEnvironment::FromProcess());
}

bool SaveFile(const SaveLocation& where, std::string_view content, std::string* why) {
  const std::string& target = where.WriteTarget();
  if (target.empty()) {
    if (why) *why = where.problem;
    return false;
  }
  if (where.installed && !MakeFolders(Parent(target), why)) return false;
  if (ReplaceFileContents(target, content, why)) return true;
  if (why) *why = (target[0] == '/' ? target : CurrentDirectory() + "/" + target) + ": " + *why;
  return false;
}

}  // namespace platform
