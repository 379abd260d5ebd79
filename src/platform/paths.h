// File paths as the framework writes them (Windows style), resolved on the
// host file system, and the directory services the catalogue needs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// "..\options.ini" -> "../options.ini"; each component that does not exist
// with its exact spelling is looked up without regard to case inside its
// own directory. A path that cannot be resolved comes back translated but
// otherwise unchanged (so a file about to be created keeps its spelling).
std::string ResolvePath(const std::string& windowsPath);

std::string CurrentDirectory();
bool SetCurrentDirectory(const std::string& path);

// Makes the folder of the running program the working directory, where the
// programs find their files. A working directory that already holds this
// very program (as when the launcher and a game start each other, or a copy
// of the tree made of links is run) is kept. False, with the working
// directory unchanged, when the program's folder cannot be found.
bool EnterProgramDirectory();
// The folder of the running program's own file (links resolved); "" when
// it cannot be found.
std::string ProgramDirectory();

// The separator the host uses between directory and file.
inline constexpr char kPathSeparator = '/';
// What the host appends to a program's name ("" here, ".exe" on Windows).
inline constexpr const char* kProgramSuffix = "";

enum FileAttributes : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

struct DirEntry {
  std::string name;
  uint32_t attributes = 0;
};

// Every entry of a directory: "." and ".." first, then the rest sorted by
// name. Directories carry kAttrDirectory, files kAttrArchive; kAttrReadOnly
// is added when the entry's permissions let no one write it, kAttrHidden
// for dot names.
// An unreadable or missing directory gives an empty list.
std::vector<DirEntry> ListDirectory(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace platform
