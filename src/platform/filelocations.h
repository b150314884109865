// Where the program keeps its files.
//
// Portable: the executable's folder holds the sound bank (a build's game
// folder, an unpacked copy). The settings file lies beside the executable and
// every other file in the current folder, as the program has always done.
//
// Installed: the executable lies in a prefix's bin (or games) with the prefix's
// share/drum beside it (/usr/games/drum, /usr/share/drum). It may not write
// there, so it keeps its settings in $XDG_CONFIG_HOME/drum/ and makes
// $XDG_DATA_HOME/drum/ its game folder, the current folder of a run
// ("ram.dat", "data.dta"). The sound bank and the tables come from the game
// folder when the player put them there, otherwise from share/drum.
#pragma once
#include <string>

namespace drum {

struct FileLocations {
  bool installed = false;
  std::string settingsFile;  // full path of the settings file
  std::string gameFolder;    // installed: the folder a run works in; portable: empty
  std::string shareFolder;   // installed: the read-only data; portable: empty
};

// What the decision reads from the environment.
struct HomeFolders {
  std::string home;        // $HOME, or the password database's entry
  std::string configHome;  // $XDG_CONFIG_HOME when it is an absolute path
  std::string dataHome;    // $XDG_DATA_HOME when it is an absolute path
};
HomeFolders currentHomeFolders();

// This process's executable (empty when /proc tells nothing).
std::string executablePath();

// The decision for `executable`; it only looks whether files exist. Throws
// Error when an installed program finds no home folder to write in.
FileLocations locateFiles(const std::string& executable, const HomeFolders& homes);

// Makes the settings and game folders (mode 0700, as the XDG rules ask) and
// changes to the game folder; afterwards gameFile() looks in share/drum too.
// Portable locations change nothing. Throws Error naming the folder.
void enterFileLocations(const FileLocations& where);

// A data file that is only read (sound bank, Braille table, key files): the
// game folder's own when present, else the installed copy, else the name as
// it stands (whose reader then reports it missing).
std::string gameFile(const std::string& name);

}  // namespace drum
