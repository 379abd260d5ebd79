// Where the files the programs write (the options, the setup, a game's high
// scores) live. A portable tree (the build's dist/ or any copy of it) keeps
// them beside the programs. An installed tree, marked by kInstalledMarker in
// the launcher's folder, is read-only and shared by every user of the
// machine: each user's copies live in their own data folder, laid out like
// the tree, and reads fall back to the tree's copy until the user's exists.
// Whether a tree is installed follows from the marker alone, never from who
// runs the program.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr const char* kInstalledMarker = "pavlora.installed";
// The user's folder for the programs, inside their data folder.
inline constexpr const char* kUserFolderName = "pavlora";

// The parts of the environment the user's data folder depends on.
struct UserEnvironment {
  std::string xdgDataHome;  // $XDG_DATA_HOME ("" when unset)
  std::string home;         // $HOME ("" when unset)

  static UserEnvironment FromProcess();
  // $XDG_DATA_HOME, or ~/.local/share when that is unset, empty or relative.
  // "" when there is no usable home either; why then says so.
  std::string DataFolder(std::string* why) const;
};

struct SaveLocation {
  std::string treeFile;  // the file in the program tree (host path)
  std::string userFile;  // installed tree: the user's copy ("" without a data folder)
  bool installed = false;
  std::string problem;   // installed tree without a data folder: why

  // Where reads look, in order: the user's copy first, then the tree's.
  std::vector<std::string> ReadOrder() const;
  // Where writes go: the tree's file in a portable tree, the user's copy in
  // an installed one; "" when there is nowhere to write (see problem).
  const std::string& WriteTarget() const { return installed ? userFile : treeFile; }
};

// Where the file named by windowsPath (as the programs name it, e.g.
// "..\options.ini") is read and written.
SaveLocation LocateSave(const std::string& windowsPath, const UserEnvironment& env);
SaveLocation LocateSave(const std::string& windowsPath);

// Replaces the file at the location's write target with content, atomically
// (see ReplaceFileContents); the user's folders are made on the way. False,
// with the reason in why (when given), when it could not be written.
bool SaveFile(const SaveLocation& where, std::string_view content, std::string* why = nullptr);

}  // namespace platform
