#pragma once

// Windows drive paths ("C:\WINDOWS\serno.txt") written by the programs and by
// the command interpreter stand-in all land in one folder tree, so that a file
// one of them writes through a drive path is found again by the other.
//
// The tree lives under drivesRoot(): $TESSADREL_DRIVES when that names an
// absolute folder other than "/", else $XDG_DATA_HOME/tessadrel/drives, else
// ~/.local/share/tessadrel/drives, else $XDG_RUNTIME_DIR/tessadrel/drives.
// With none of these there is no tree (never one in a folder that other
// users can write). Drive "C:" is the folder "<root>/c".

#include <string>
#include <string_view>

namespace winrules {

// The folder that holds one sub-folder per drive letter. Never "/"; empty
// when there is none.
std::string drivesRoot();
// The same with the home folder that the user database names for this user
// given ("" for none) instead of looked up; "~" is $HOME, else that folder
// when it exists.
std::string drivesRoot(std::string_view accountHome);

// True for "C:\x", "c:/x", "C:" and drive-relative "C:x".
bool hasDriveLetter(std::string_view path);

// "C:\WINDOWS\serno.txt" -> "<root>/c/WINDOWS/serno.txt". Backslashes become
// "/"; "." and ".." are resolved inside the drive and cannot climb out of it.
// A path without a drive letter only has its backslashes turned into "/".
// A drive path maps to "" when there is no drives root: nothing can open it.
std::string mapDrivePath(std::string_view path);

// Creates the folders above a mapped path so that it can be written: a fresh
// drive folder is empty, whereas Windows always has C:\WINDOWS. False when a
// folder could not be made.
bool makeParentFolders(const std::string& mappedPath);

}  // namespace winrules
