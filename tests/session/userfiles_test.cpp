// The player's files through start-up, Start and the ways out: a game that
// could not be loaded is never saved over, a failed save never traps the
// player, saves killed half-way leave whole files, and their temporaries do
// not outlive the next start.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <set>

#include "platform/userfile.h"
#include "session/sessionfixture.h"

namespace drum::sessiontest {
namespace {

namespace fs = std::filesystem;

std::string errorOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST_F(SessionTest, ASettingsFileThatCannotBeMadeIsToldOnceAndTheGameGoesOn) {
  // No settings file yet, and none can be made there: said once, and the
  // session goes on with the defaults, its game and its sounds loaded.
  setSettingsPath(dir + "/no-such-folder/drum.ini");
  writeFile("ram.dat", "the player's game");
  EXPECT_EQ(errorOf([&] { create(); }), "no error");
  EXPECT_TRUE(ramLoaded());
  EXPECT_GT(soundbank.count(), 0u);
  EXPECT_EQ(keyfile, "czech.eky");
  gamekeys = {"e"};
  mainwindow::StartsubmenuClick();  // the voice it stores cannot be stored either
  ASSERT_EQ(clock.errors().size(), 1u);
  EXPECT_EQ(clock.errors()[0], "Unable to write to " + dir + "/no-such-folder/drum.ini: No such file or directory");
  EXPECT_EQ(errorOf(mainwindow::FormClose), "no error");
  EXPECT_EQ(readFile("ram.dat").size(), 65536u);
}

TEST_F(SessionTest, AReadOnlyGameRefusesTheSaveAndTheNextCloseLeaves) {
  settings("[environment]\nlanguage=2000\n");
  writeFile("ram.dat", "kept");
  fs::permissions(dir + "/ram.dat", fs::perms::owner_read);
  create();
  ram[0] = 'X';
  const std::string refused = "Unable to write to " + dir +
                              "/ram.dat: the file is read-only. Exit once more to end the program without saving "
                              "the game.";
  EXPECT_EQ(errorOf(mainwindow::FormClose), refused);
  EXPECT_NE(soundMixer(), nullptr);  // the window stays, with its sounds
  EXPECT_EQ(errorOf(mainwindow::FormClose), "no error");
  EXPECT_EQ(readFile("ram.dat"), "kept");
}

TEST_F(SessionTest, ASettingsFileThatIsNoFileIsNamedOnceAndTheGameIsKept) {
  ::alarm(60);  // a read that blocks would hang the suite: end it instead
  writeFile("ram.dat", "the player's game");
  ASSERT_EQ(::mkfifo((dir + "/drum.ini").c_str(), 0600), 0);
  EXPECT_EQ(errorOf([&] { create(); }), "no error");
  fs::remove(dir + "/drum.ini");
  fs::create_directory(dir + "/drum.ini");
  EXPECT_EQ(errorOf([&] { create(); }), "no error");
  EXPECT_EQ(clock.errors(), (std::vector<std::string>{"Unable to read " + dir + "/drum.ini: it is a pipe (FIFO), not a file",
                                                      "Unable to read " + dir + "/drum.ini: it is a folder, not a file"}));
  EXPECT_TRUE(ramLoaded());
  EXPECT_EQ(languagebase, 1000);
  EXPECT_EQ(errorOf(mainwindow::FormClose), "no error");
  EXPECT_EQ(readFile("ram.dat").size(), 65536u);
  ::alarm(0);
}

TEST_F(SessionTest, AHugeSettingsFileIsRefusedAtOnceAndALargeOneReadInOnePass) {
  writeFile("drum.ini", "");
  ASSERT_EQ(::truncate((dir + "/drum.ini").c_str(), 100LL << 20), 0);  // 100 MB
  EXPECT_EQ(errorOf([&] { create(); }), "no error");
  ASSERT_EQ(clock.errors().size(), 1u);
  EXPECT_EQ(clock.errors()[0],
            "Unable to read " + dir + "/drum.ini: it is 104857600 bytes long, more than the 4 MiB that such a file "
            "can have");
  // Just under the cap, with the keys at its end: read as ever.
  std::string big = "[notes]\n";
  while (big.size() < (4u << 20) - 200) big += "a remark that makes the file long=1\n";
  big += "[sounds]\nsndvolume=0xFFFFEC78\noskirasounds=0\n";
  settings(big);
  create();
  EXPECT_EQ(sndvolume, -5000);  // eight hexadecimal digits, the top bit set: negative, as VAL reads them
  EXPECT_FALSE(oskirasounds);
}

TEST_F(SessionTest, ADataFileThatIsNoFileEndsTheStartWithItsName) {
  create();
  fs::create_directory(dir + "/data.dta");
  EXPECT_EQ(errorOf(mainwindow::StartsubmenuClick), "Unable to read " + dir + "/data.dta: it is a folder, not a file");
  EXPECT_FALSE(dataFileOpen());
  fs::remove(dir + "/data.dta");
  ::alarm(60);
  ASSERT_EQ(::mkfifo((dir + "/data.dta").c_str(), 0600), 0);
  EXPECT_EQ(errorOf(mainwindow::StartsubmenuClick),
            "Unable to read " + dir + "/data.dta: it is a pipe (FIFO), not a file");
  ::alarm(0);
  EXPECT_FALSE(programstarted);
}

TEST_F(SessionTest, ADamagedMoveCountNamesTheFileAndTheWayToANewGame) {
  create();
  ram[288] = '2';  // two digits of the move count follow
  ram[289] = '1';
  ram[290] = '%';
  EXPECT_EQ(errorOf(mainwindow::StartsubmenuClick),
            "'1$' is not a valid integer value. The move count stored in " + dir +
                "/ram.dat is damaged. To start a new game, end the program, then delete or rename that file.");
}

TEST_F(SessionTest, StartUpRemovesOnlyStaleTemporariesOfOurOwnSaves) {
  const pid_t gone = [] {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
  }();
  const std::string stale = ".ram.dat.drum-save-" + std::to_string(gone) + "-1";
  const std::string staleIni = ".drum.ini.drum-save-" + std::to_string(gone) + "-2";
  const std::string legacy = "ram.dat.tmp" + std::to_string(gone);
  for (const std::string& name : {stale, staleIni, legacy, std::string("ram.dat.bak")}) {
    writeFile(name, "partial");
    timeval old[2];
    ::gettimeofday(&old[0], nullptr);
    old[0].tv_sec -= 60;
    old[1] = old[0];
    ::utimes((dir + "/" + name).c_str(), old);
  }
  create();
  EXPECT_FALSE(exists(stale));
  EXPECT_FALSE(exists(staleIni));
  EXPECT_FALSE(exists(legacy));
  EXPECT_TRUE(exists("ram.dat.bak"));  // not ours
}

// ---- Killed while saving --------------------------------------------------------

// Starts the save loop, waits for its first save, lets it save for a random
// while, then kills it. Returns false when the loop could not be started.
bool killDuringSaves(const std::vector<std::string>& args, std::mt19937& random) {
  int out[2];
  if (::pipe(out) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  char byte = 0;
  const bool started = ::read(out[0], &byte, 1) == 1;
  ::close(out[0]);
  if (started) ::usleep(std::uniform_int_distribution<int>(0, 3000)(random));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return started;
}

std::vector<std::string> temporaries(const std::string& dir) {
  std::vector<std::string> found;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (isSaveTemporary(name, "ram.dat") || isSaveTemporary(name, "drum.ini")) found.push_back(name);
  }
  return found;
}

// Image number k of the save loop, checked byte by byte.
bool wholeImage(const std::string& image, std::uint32_t& k) {
  if (image.size() != kRamSize) return false;
  std::memcpy(&k, image.data(), sizeof k);
  for (std::size_t i = sizeof k; i < image.size(); ++i)
    if (static_cast<std::uint8_t>(image[i]) != static_cast<std::uint8_t>(k * 31 + i * 7 + i / 256)) return false;
  return true;
}

TEST_F(SessionTest, KillsDuringTwoHundredSavesLeaveOnlyWholeFilesAndNoTemporaryAfterTheNextStart) {
  std::mt19937 random(20261207);
  std::set<std::string> leftBehind;  // temporaries that the kills left

  std::uint32_t last = 0;
  for (int round = 0; round < 200; ++round) {
    ASSERT_TRUE(killDuringSaves({DRUM_SAVELOOP, "ram", dir}, random)) << "the save loop did not start";
    std::uint32_t k = 0;
    ASSERT_TRUE(wholeImage(readFile("ram.dat"), k)) << "round " << round << ": a torn image";
    ASSERT_GE(k, last) << "round " << round << ": an older image came back";
    last = k;
    for (const std::string& name : temporaries(dir)) leftBehind.insert(name);
  }

  // A settings file as the program writes it, with other sections around
  // the key that each save changes.
  std::string before = "[voice]\nvoiceallowed=1\n\n[sounds]\noskirasounds=1\n";
  const std::string after = "\n[keyboard]\nbraillekeys=0\n" + std::string(4000, ';') + "\n";
  settings(before + "sndvolume=0" + after);
  std::int64_t lastvolume = 0;
  for (int round = 0; round < 200; ++round) {
    ASSERT_TRUE(killDuringSaves({DRUM_SAVELOOP, "settings", dir + "/drum.ini"}, random));
    const std::string text = readFile("drum.ini");
    ASSERT_TRUE(text.starts_with(before + "sndvolume=-") && text.ends_with(after))
        << "round " << round << ": a torn settings file";
    const std::string number = text.substr(before.size() + 10, text.size() - before.size() - 10 - after.size());
    const std::int64_t volume = std::stoll(number);
    ASSERT_EQ(before + "sndvolume=" + std::to_string(volume) + after, text);
    ASSERT_LE(volume, lastvolume) << "round " << round << ": an older file came back";
    lastvolume = volume;
    for (const std::string& name : temporaries(dir)) leftBehind.insert(name);
  }
  std::printf("temporary files left behind by 400 kills: %zu\n", leftBehind.size());

  // The next start, in a process of its own (one that began after the
  // kills), removes whatever they left, and loads the last image and setting.
  const pid_t next = ::fork();
  if (next == 0) {
    ::setenv("DRUM_NEXT_START_IN", dir.c_str(), 1);
    ::execl("/proc/self/exe", "test_session", "--gtest_filter=SessionTest.TheNextStartAfterTheKillTest",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(next, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the next start failed";
  EXPECT_EQ(temporaries(dir), std::vector<std::string>{});
  EXPECT_EQ(readFile("next-start"), std::to_string(last) + " " + std::to_string(lastvolume));
}

// Run by the kill test in a fresh process: the start-up in its folder.
TEST_F(SessionTest, TheNextStartAfterTheKillTest) {
  const char* folder = std::getenv("DRUM_NEXT_START_IN");
  if (!folder) GTEST_SKIP() << "runs only as the next start of the kill test";
  fs::current_path(folder);  // the fixture's own folder stays its own, and goes
  setSettingsPath(std::string(folder) + "/drum.ini");
  create();
  std::uint32_t k = 0;
  ASSERT_TRUE(wholeImage(std::string(reinterpret_cast<const char*>(ram.data()), ram.size()), k));
  std::ofstream(std::string(folder) + "/next-start") << k << " " << settingsFile().readInteger("sounds", "sndvolume", 0);
}

}  // namespace
}  // namespace drum::sessiontest
