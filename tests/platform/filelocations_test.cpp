// Portable or installed: which folders a program with a given executable
// path reads and writes.
#include "platform/filelocations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/error.h"

namespace drum {
namespace {

namespace fs = std::filesystem;

class Folders : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("drum-locations-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
    cwd_ = fs::current_path();
  }
  void TearDown() override {
    enterFileLocations(FileLocations{});  // forget the installed share folder
    fs::current_path(cwd_);
    fs::remove_all(root_);
  }
  void touch(const fs::path& p, const std::string& content = "x") {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << content;
  }
  // A prefix as `cmake --install` lays it out.
  fs::path installedPrefix() {
    const fs::path prefix = root_ / "usr";
    touch(prefix / "bin/drumrun");
    touch(prefix / "share/drum/sounds.dat", "shared bank");
    touch(prefix / "share/drum/czech.ebt", "shared table");
    return prefix;
  }
  HomeFolders home() const { return {(root_ / "home").string(), {}, {}}; }

  fs::path root_;
  fs::path cwd_;
};

TEST_F(Folders, AGameFolderWithItsSoundBankIsPortable) {
  touch(root_ / "game/drum");
  touch(root_ / "game/sounds.dat");
  // Even with a share/drum next to it, the bank beside the executable decides.
  touch(root_ / "share/drum/sounds.dat");
  const FileLocations w = locateFiles((root_ / "game/drum").string(), home());
  EXPECT_FALSE(w.installed);
  EXPECT_EQ(w.settingsFile, (root_ / "game/drum.ini").string());
  EXPECT_TRUE(w.gameFolder.empty());

  // A loose copy without any data keeps the old ways as well (its reader
  // then reports the missing sound bank in the current folder).
  touch(root_ / "elsewhere/loose/drumrun");
  const FileLocations loose = locateFiles((root_ / "elsewhere/loose/drumrun").string(), home());
  EXPECT_FALSE(loose.installed);
  EXPECT_EQ(loose.settingsFile, (root_ / "elsewhere/loose/drumrun.ini").string());

  // The extension is replaced; a leading dot starts none.
  touch(root_ / "game/drum.bin");
  touch(root_ / "game/.drum");
  EXPECT_EQ(locateFiles((root_ / "game/drum.bin").string(), home()).settingsFile, (root_ / "game/drum.ini").string());
  EXPECT_EQ(locateFiles((root_ / "game/.drum").string(), home()).settingsFile, (root_ / "game/.drum.ini").string());
}

TEST_F(Folders, AnInstalledProgramKeepsItsFilesInTheXdgFolders) {
  const fs::path prefix = installedPrefix();
  const std::string exe = (prefix / "bin/drumrun").string();

  FileLocations w = locateFiles(exe, home());
  EXPECT_TRUE(w.installed);
  EXPECT_EQ(w.settingsFile, (root_ / "home/.config/drum/drumrun.ini").string());
  EXPECT_EQ(w.gameFolder, (root_ / "home/.local/share/drum").string());
  EXPECT_EQ(w.shareFolder, (prefix / "share/drum").string());

  // XDG folders win over the home's defaults; relative ones are ignored.
  w = locateFiles(exe, {(root_ / "home").string(), (root_ / "cfg").string(), (root_ / "data").string()});
  EXPECT_EQ(w.settingsFile, (root_ / "cfg/drum/drumrun.ini").string());
  EXPECT_EQ(w.gameFolder, (root_ / "data/drum").string());
  w = locateFiles(exe, {"", (root_ / "cfg").string(), (root_ / "data").string()});
  EXPECT_EQ(w.gameFolder, (root_ / "data/drum").string());

  EXPECT_THROW(locateFiles(exe, {"", "", ""}), Error);
}

TEST_F(Folders, EnteringMakesPrivateFoldersAndReadsDataFromTheGameFolderFirst) {
  const fs::path prefix = installedPrefix();
  const FileLocations w = locateFiles((prefix / "bin/drumrun").string(), home());
  EXPECT_EQ(gameFile("sounds.dat"), "sounds.dat");  // before entering: the name as it stands

  enterFileLocations(w);
  EXPECT_EQ(fs::current_path(), fs::path(w.gameFolder));
  struct stat st {};
  ASSERT_EQ(::stat(w.gameFolder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_TRUE(fs::is_directory(fs::path(w.settingsFile).parent_path()));

  EXPECT_EQ(gameFile("sounds.dat"), (prefix / "share/drum/sounds.dat").string());
  EXPECT_EQ(gameFile("czech.ebt"), (prefix / "share/drum/czech.ebt").string());
  EXPECT_EQ(gameFile("slovak.eky"), "slovak.eky");  // nowhere: its reader says so
  touch(fs::path(w.gameFolder) / "czech.ebt", "the player's own table");
  EXPECT_EQ(gameFile("czech.ebt"), "czech.ebt");

  // Entering again (a second start) finds the folders made.
  EXPECT_NO_THROW(enterFileLocations(w));
}

TEST_F(Folders, AGameFolderThatCannotBeMadeIsAnError) {
  const fs::path prefix = installedPrefix();
  touch(root_ / "home/.local/share", "a file where the folder should be");
  const FileLocations w = locateFiles((prefix / "bin/drumrun").string(), home());
  try {
    enterFileLocations(w);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find(w.gameFolder), std::string::npos) << e.what();
  }
  EXPECT_EQ(fs::current_path(), cwd_);
}

}  // namespace
}  // namespace drum
