// The file layer with real files: pipes, folders, devices, huge sparse
// files, links, permissions (as an unprivileged user) and stale temporaries.
#include "platform/userfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "support/unprivileged.h"

namespace drum {
namespace {

namespace fs = std::filesystem;
using testing::asUnprivileged;

class UserFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A read or an open that blocks would hang the suite: end it instead.
    ::alarm(60);
    std::string tmpl = (fs::temp_directory_path() / "drum-userfile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir = tmpl;
    fs::permissions(dir, fs::perms::all);  // the unprivileged user works here too
  }
  void TearDown() override {
    ::alarm(0);
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::string file(const std::string& name) const { return dir + "/" + name; }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> names() const {
    std::vector<std::string> all;
    for (const auto& e : fs::directory_iterator(dir)) all.push_back(e.path().filename().string());
    std::sort(all.begin(), all.end());
    return all;
  }
  // The text of the FileError that fn raises, or "" when it raises none.
  static std::string refusal(const std::function<void()>& fn) {
    try {
      fn();
    } catch (const FileError& e) {
      return e.what();
    }
    return "";
  }

  std::string dir;
};

// Things that are no file, each in place of a user's file.
struct NotAFile {
  const char* what;
  std::function<void(const std::string&)> make;
  const char* reason;
};
const std::vector<NotAFile>& notFiles() {
  static const std::vector<NotAFile> all = {
      {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0666), 0); },
       "it is a pipe (FIFO), not a file"},
      {"a folder", [](const std::string& p) { fs::create_directory(p); }, "it is a folder, not a file"},
      {"a link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); },
       "it is a device, not a file"},
  };
  return all;
}

TEST_F(UserFileTest, WhatIsNoRegularFileIsRefusedAtOnceWithTheReason) {
  for (const NotAFile& thing : notFiles()) {
    SCOPED_TRACE(thing.what);
    thing.make(file("sounds.dat"));
    const std::string path = file("sounds.dat");
    EXPECT_EQ(refusal([&] { readUserFile(path, kSoundBankCap); }),
              "Unable to read " + path + ": " + thing.reason);
    EXPECT_EQ(refusal([&] { openUserFile(path); }), "Unable to read " + path + ": " + thing.reason);
    // Even the memory image's reader, which takes the first 64 KiB of a long
    // file, never reads a device or waits on a pipe.
    EXPECT_EQ(refusal([&] { readUserFile(path, 65536, Oversize::readPrefix); }),
              "Unable to read " + path + ": " + thing.reason);
    EXPECT_EQ(refusal([&] { writeUserFile(path, "new"); }), "Unable to write to " + path + ": " + thing.reason);
    EXPECT_EQ(names(), std::vector<std::string>{"sounds.dat"});  // left as it was, nothing beside it
    EXPECT_TRUE(fs::is_symlink(path) || !fs::is_regular_file(path));
    fs::remove(path);
  }
}

TEST_F(UserFileTest, AHugeSparseFileIsRefusedByItsSizeOrReadOnlyToTheCap) {
  const std::string path = file("drum.ini");
  write("drum.ini", "");
  ASSERT_EQ(::truncate(path.c_str(), 1LL << 30), 0);  // 1 GiB, no blocks
  EXPECT_EQ(refusal([&] { readUserFile(path, kSettingsFileCap); }),
            "Unable to read " + path + ": it is 1073741824 bytes long, more than the 4 MiB that such a file can have");
  EXPECT_EQ(refusal([&] { readUserFile(path, kSoundBankCap); }),
            "Unable to read " + path + ": it is 1073741824 bytes long, more than the 64 MiB that such a file can have");
  const auto prefix = readUserFile(path, 65536, Oversize::readPrefix);
  ASSERT_TRUE(prefix);
  EXPECT_EQ(prefix->size(), 65536u);
  // A file exactly at the cap is still a real file.
  write("exact", std::string(1024, 'x'));
  EXPECT_EQ(readUserFile(file("exact"), 1024)->size(), 1024u);
  EXPECT_NE(refusal([&] { readUserFile(file("exact"), 1023); }), "");
}

TEST_F(UserFileTest, MissingFilesAreNothingAndLinksToFilesAreFollowed) {
  EXPECT_FALSE(readUserFile(file("ram.dat"), 65536));
  EXPECT_FALSE(openUserFile(file("data.dta")));
  fs::create_symlink("nowhere", file("dangling"));
  EXPECT_FALSE(readUserFile(file("dangling"), 100));

  write("real.ebt", "[characters]\na=1\n");
  fs::create_symlink("real.ebt", file("czech.ebt"));
  EXPECT_EQ(readUserFile(file("czech.ebt"), kTextTableCap), "[characters]\na=1\n");
  auto open = openUserFile(file("czech.ebt"));
  ASSERT_TRUE(open);
  EXPECT_TRUE(open->isOpen());
  char c = 0;
  EXPECT_EQ(::read(open->fd(), &c, 1), 1);
  EXPECT_EQ(c, '[');

  fs::create_symlink("loop", file("loop"));
  EXPECT_NE(refusal([&] { readUserFile(file("loop"), 100); }).find("Unable to read " + file("loop") + ": "),
            std::string::npos);
}

TEST_F(UserFileTest, AWriteReplacesTheWholeFileAndKeepsItsModeAndItsLinks) {
  write("ram.dat", "old");
  fs::permissions(file("ram.dat"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  writeUserFile(file("ram.dat"), "new image");
  EXPECT_EQ(read("ram.dat"), "new image");
  EXPECT_EQ(fs::status(file("ram.dat")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  // Through a link (also a relative one into another folder) to its target:
  // the link stays a link and the target gets the new bytes.
  fs::create_directory(file("saves"));
  write("saves/game.img", "old game");
  fs::create_symlink("saves/game.img", file("link.dat"));
  writeUserFile(file("link.dat"), "new game");
  EXPECT_TRUE(fs::is_symlink(file("link.dat")));
  EXPECT_EQ(read("saves/game.img"), "new game");
  // A link whose target is not there yet makes the target.
  fs::create_symlink("saves/fresh.ini", file("fresh.ini"));
  writeUserFile(file("fresh.ini"), "[voice]\n");
  EXPECT_TRUE(fs::is_symlink(file("fresh.ini")));
  EXPECT_EQ(read("saves/fresh.ini"), "[voice]\n");

  EXPECT_EQ(names(), (std::vector<std::string>{"fresh.ini", "link.dat", "ram.dat", "saves"}));
  EXPECT_EQ(fs::directory_iterator(file("saves")) == fs::directory_iterator(), false);
  std::vector<std::string> saves;
  for (const auto& e : fs::directory_iterator(file("saves"))) saves.push_back(e.path().filename().string());
  std::sort(saves.begin(), saves.end());
  EXPECT_EQ(saves, (std::vector<std::string>{"fresh.ini", "game.img"}));  // no temporary left
}

TEST_F(UserFileTest, AReadOnlyFileIsNeverReplacedNotEvenByRoot) {
  write("ram.dat", "kept");
  fs::permissions(file("ram.dat"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(refusal([&] { writeUserFile(file("ram.dat"), "lost"); }),
            "Unable to write to " + file("ram.dat") + ": the file is read-only");
  EXPECT_EQ(read("ram.dat"), "kept");
  // Through a link as well: the target is what is read-only.
  fs::create_symlink("ram.dat", file("link.dat"));
  EXPECT_EQ(refusal([&] { writeUserFile(file("link.dat"), "lost"); }),
            "Unable to write to " + file("link.dat") + ": the file is read-only");
  EXPECT_EQ(read("ram.dat"), "kept");
  EXPECT_EQ(names(), (std::vector<std::string>{"link.dat", "ram.dat"}));
}

TEST_F(UserFileTest, PermissionsBindAnUnprivilegedPlayer) {
  write("secret.dat", "no");
  fs::permissions(file("secret.dat"), fs::perms::owner_read | fs::perms::owner_write);  // root's own
  fs::create_directory(file("locked"));
  fs::permissions(file("locked"), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
  const std::string secret = file("secret.dat");
  const std::string locked = file("locked/drum.ini");
  const auto result = asUnprivileged([&] {
    return refusal([&] { readUserFile(secret, 100); }) + "\n" +
           refusal([&] { writeUserFile(locked, "x"); }) + "\n" + refusal([&] { writeUserFile(secret, "x"); });
  });
  if (!result) GTEST_SKIP() << "no unprivileged user to run as";
  EXPECT_EQ(*result, "Unable to read " + secret + ": Permission denied\n" + "Unable to write to " + locked +
                         ": the folder does not let new files be made (Permission denied)\n" +
                         "Unable to write to " + secret + ": Permission denied");
  EXPECT_EQ(read("secret.dat"), "no");
  EXPECT_TRUE(fs::is_empty(file("locked")));
}

// A game folder the player may not write in, with a ram.dat the player may
// write: the check says so before the game, and the save goes in place
// rather than being lost. A file that may not be written is refused ahead.
TEST_F(UserFileTest, ASaveIsCheckedAheadAndGoesInPlaceOnlyWhereTheFolderRefusesNewFiles) {
  fs::create_directory(file("locked"));
  fs::permissions(file("locked"), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
  write("locked/ram.dat", "old game");
  fs::permissions(file("locked/ram.dat"), fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec |
                                                             fs::perms::others_exec));
  write("locked/kept.dat", "kept");
  const std::string ram = file("locked/ram.dat"), kept = file("locked/kept.dat"), fresh = file("locked/new.dat");
  const auto result = asUnprivileged([&] {
    const SaveCheck inplace = checkSave(ram, 65536), refused = checkSave(kept, 65536), none = checkSave(fresh, 4);
    writeUserFile(ram, "new");
    return std::to_string(inplace.inPlace) + "|" + inplace.refusal + "|" + refused.refusal + "|" + none.refusal;
  });
  if (!result) GTEST_SKIP() << "no unprivileged user to run as";
  EXPECT_EQ(*result, "1||Unable to write to " + kept + ": Permission denied|Unable to write to " + fresh +
                         ": the folder does not let new files be made (Permission denied)");
  EXPECT_EQ(read("locked/ram.dat"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(file("locked")), fs::directory_iterator()), 2);  // no temporary
  const SaveCheck fine = checkSave(file("ram.dat"), 65536);
  EXPECT_TRUE(fine.refusal.empty() && !fine.inPlace);
  EXPECT_FALSE(fs::exists(file("ram.dat")));  // the check leaves nothing behind
}

// A process that has ended, so its pid names no process (until reused).
pid_t deadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

void setAge(const std::string& path, long secondsAgo) {
  timeval times[2];
  ::gettimeofday(&times[0], nullptr);
  times[0].tv_sec -= secondsAgo;
  times[1] = times[0];
  ::utimes(path.c_str(), times);
}

TEST_F(UserFileTest, OnlyOurOwnStaleTemporariesAreRemoved) {
  const std::string dead = std::to_string(deadPid());
  const std::string alive = std::to_string(::getpid());
  const std::vector<std::string> stale = {
      ".ram.dat.drum-save-" + dead + "-1", ".drum.ini.drum-save-" + dead + "-17",
      "ram.dat.tmp" + dead,                 // how earlier versions named them
      ".drum.ini." + dead + ".3.tmp",
  };
  const std::vector<std::string> kept = {
      "ram.dat", "drum.ini", "notes.txt",
      ".ram.dat.drum-save-" + alive + "-1",   // a save in progress in a running process
      ".ram.dat.drum-save-x-1",               // not our pattern
      ".other.dat.drum-save-" + dead + "-1",  // not the name of a file we save here
      "ram.dat.tmp" + dead + "x",
      ".drum.ini.drum-save-" + dead + "-2",   // younger than this process: see below
  };
  for (const std::string& name : stale) write(name, "partial");
  for (const std::string& name : kept) write(name, "keep");
  for (const std::string& name : stale) setAge(file(name), 60);
  for (const std::string& name : kept) setAge(file(name), 60);
  setAge(file(kept.back()), -60);  // written after this process began
  fs::create_directory(file(".ram.dat.drum-save-" + dead + "-9"));  // a folder is never removed

  EXPECT_EQ(removeStaleTemporaries({file("drum.ini"), file("ram.dat")}), 4);
  std::vector<std::string> expected = kept;
  expected.push_back(".ram.dat.drum-save-" + dead + "-9");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names(), expected);
}

TEST_F(UserFileTest, StaleTemporariesOfALinkedFileAreFoundBesideItsTarget) {
  fs::create_directory(file("saves"));
  write("saves/game.img", "game");
  fs::create_symlink("saves/game.img", file("ram.dat"));
  const std::string temp = file("saves/.game.img.drum-save-" + std::to_string(deadPid()) + "-4");
  std::ofstream(temp) << "partial";
  setAge(temp, 60);
  EXPECT_EQ(removeStaleTemporaries({file("ram.dat")}), 1);
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_TRUE(isSaveTemporary(".ram.dat.drum-save-12-3", "ram.dat"));
  EXPECT_FALSE(isSaveTemporary(".ram.dat.drum-save-12-", "ram.dat"));
  EXPECT_FALSE(isSaveTemporary("ram.dat.drum-save-12-3", "ram.dat"));
}

}  // namespace
}  // namespace drum
