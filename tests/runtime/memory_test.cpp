#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/error.h"
#include "runtime/oskcommands.h"
#include "support/unprivileged.h"

namespace drum {
namespace {

namespace fs = std::filesystem;

std::string errorText(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(Poke, KeepsTheLowEightBitsOfTheTruncatedValue) {
  ram.fill(0);
  poke(10, 300);
  EXPECT_EQ(peek(10), 44);
  poke(10, -1);
  EXPECT_EQ(peek(10), 255);
  poke(10, 3.99);
  EXPECT_EQ(peek(10), 3);
  poke(10, 256);
  EXPECT_EQ(peek(10), 0);
  poke(10, -256.5);
  EXPECT_EQ(peek(10), 0);
  poke(10, -255);
  EXPECT_EQ(peek(10), 1);
  poke(10, 4294967297.0);  // 2^32 + 1
  EXPECT_EQ(peek(10), 1);
  poke(10, 1e300);
  EXPECT_EQ(peek(10), 0);
}

TEST(Poke, AddressesAreTruncated) {
  ram.fill(0);
  poke(2.7, 5);
  EXPECT_EQ(ram[2], 5);
  EXPECT_EQ(ram[3], 0);
  ram[65535] = 77;
  EXPECT_EQ(peek(65535.9), 77);
  poke(-0.9, 9);  // truncates to 0
  EXPECT_EQ(ram[0], 9);
}

TEST(Poke, AddressesOutsideTheMemoryAreRefusedByName) {
  ram.fill(0);
  EXPECT_EQ(errorText([] { poke(65536, 1); }), "Memory address 65536 is outside 0..65535");
  EXPECT_EQ(errorText([] { peek(-1); }), "Memory address -1 is outside 0..65535");
  EXPECT_EQ(errorText([] { peek(-1.5); }), "Memory address -1 is outside 0..65535");
  EXPECT_EQ(errorText([] { peek(1e300); }), "Memory address 1E300 is outside 0..65535");
  EXPECT_EQ(errorText([] { peek(std::nan("")); }), "Memory address NAN is outside 0..65535");
  EXPECT_EQ(std::count(ram.begin(), ram.end(), 0), 65536);
}

class RamFile : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    char pattern[] = "/tmp/drum-ramXXXXXX";
    dir_ = mkdtemp(pattern);
    fs::permissions(dir_, fs::perms::all);  // an unprivileged player works here too
    fs::current_path(dir_);
    resetMemory();
    loadram();  // no image yet: the memory is all zeros, as loaded at start-up
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  static void write(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
  }
  static std::string read(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path old_;
  fs::path dir_;
};

TEST_F(RamFile, MissingImageLeavesTheMemoryZero) {
  loadram();
  EXPECT_EQ(std::count(ram.begin(), ram.end(), 0), 65536);
}

TEST_F(RamFile, ShortImageFillsItsBytesAndSavingWritesAFullImage) {
  write("ram.dat", "0123456789");
  ram[100] = 0;
  loadram();
  EXPECT_EQ(ram[0], '0');
  EXPECT_EQ(ram[9], '9');
  EXPECT_EQ(ram[10], 0);
  ram[65535] = 0xAB;
  saveram();
  const std::string image = read("ram.dat");
  ASSERT_EQ(image.size(), 65536u);
  EXPECT_EQ(image.substr(0, 11), std::string("0123456789") + '\0');
  EXPECT_EQ(static_cast<unsigned char>(image[65535]), 0xAB);
  EXPECT_EQ(files(), std::vector<std::string>{"ram.dat"});  // no temporary file left
}

TEST_F(RamFile, LongImageLoadsOnlyTheFirst65536Bytes) {
  std::string bytes(70000, '\x11');
  bytes[65535] = '\x22';
  bytes[65536] = '\x33';
  write("ram.dat", bytes);
  loadram();
  EXPECT_EQ(ram[0], 0x11);
  EXPECT_EQ(ram[65535], 0x22);
}

TEST_F(RamFile, EmptyImageChangesNothingAndIsReplacedByAFullOne) {
  write("ram.dat", "");
  ram[5] = 42;
  loadram();
  EXPECT_EQ(ram[5], 42);
  saveram();
  EXPECT_EQ(read("ram.dat").size(), 65536u);
}

TEST_F(RamFile, SaveAndLoadRoundTripEveryByte) {
  for (std::size_t i = 0; i < ram.size(); ++i) ram[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  const auto saved = ram;
  saveram();
  ram.fill(0);
  loadram();
  EXPECT_EQ(ram, saved);
}

TEST_F(RamFile, AFailedSaveNamesThePathAndTheReasonAndKeepsTheOldImage) {
  fs::create_directory("ram.dat");  // rename cannot replace a directory
  EXPECT_EQ(errorText([] { saveram(); }), "Unable to write to " + (dir_ / "ram.dat").string() +
                                              ": it is a folder, not a file");
  EXPECT_EQ(files(), std::vector<std::string>{"ram.dat"});
  EXPECT_TRUE(fs::is_directory("ram.dat"));

  EXPECT_EQ(errorText([] { saveram("no/such/folder/ram.dat"); }),
            "Unable to write to " + (dir_ / "no/such/folder/ram.dat").string() + ": No such file or directory");
}

TEST_F(RamFile, AnImageThatIsNotAFileIsAClearErrorNotAHang) {
  ::alarm(60);  // a read that blocks would hang the suite: end it instead
  fs::create_directory("ram.dat");
  EXPECT_EQ(errorText([] { loadram(); }), "Unable to read " + (dir_ / "ram.dat").string() +
                                              ": it is a folder, not a file");
  fs::remove("ram.dat");
  ASSERT_EQ(mkfifo("ram.dat", 0600), 0);
  EXPECT_EQ(errorText([] { loadram(); }), "Unable to read " + (dir_ / "ram.dat").string() +
                                              ": it is a pipe (FIFO), not a file");
  fs::remove("ram.dat");
  fs::create_symlink("/dev/zero", "ram.dat");
  EXPECT_EQ(errorText([] { loadram(); }), "Unable to read " + (dir_ / "ram.dat").string() +
                                              ": it is a device, not a file");
  EXPECT_EQ(std::count(ram.begin(), ram.end(), 0), 65536);
  // A 1 GiB sparse file: its first 64 KiB, as for any long image.
  fs::remove("ram.dat");
  write("ram.dat", "\x05");
  ASSERT_EQ(::truncate("ram.dat", 1LL << 30), 0);
  loadram();
  EXPECT_EQ(ram[0], 5);
  EXPECT_EQ(std::count(ram.begin(), ram.end(), 0), 65535);
  ::alarm(0);
}

TEST_F(RamFile, AMemoryThatWasNeverLoadedIsNotSavedOverTheGame) {
  // Start-up stopped before the memory was loaded (a settings file that
  // cannot be read, say): the zeroed memory must not replace the game.
  resetMemory();
  write("ram.dat", "the player's game");
  EXPECT_FALSE(ramLoaded());
  EXPECT_EQ(errorText([] { saveram(); }), "The game was not saved: the game's memory was not loaded at start-up, so " +
                                              (dir_ / "ram.dat").string() + " was left as it was.");
  EXPECT_EQ(read("ram.dat"), "the player's game");
  EXPECT_EQ(files(), std::vector<std::string>{"ram.dat"});
}

TEST_F(RamFile, AnImageThePlayerCannotReadIsNotReplacedByZeros) {
  write("ram.dat", "the player's game");
  fs::permissions("ram.dat", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_write);
  const std::string path = (dir_ / "ram.dat").string();
  const auto result = testing::asUnprivileged([] {
    const std::string load = errorText([] { loadram(); });
    return load + "\n" + errorText([] { saveram(); }) + "\n" + (ramLoaded() ? "loaded" : "not loaded");
  });
  if (!result) GTEST_SKIP() << "no unprivileged user to run as";
  EXPECT_EQ(*result, "Unable to read " + path + ": Permission denied\n" + "The game was not saved: " + path +
                         " could not be read at start-up (Permission denied), so it was left as it was.\n" +
                         "not loaded");
  EXPECT_EQ(read("ram.dat"), "the player's game");
}

TEST_F(RamFile, AReadOnlyImageIsRefusedAndALinkedOneWrittenThroughToItsTarget) {
  write("ram.dat", "kept");
  fs::permissions("ram.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(errorText([] { saveram(); }), "Unable to write to " + (dir_ / "ram.dat").string() +
                                              ": the file is read-only");
  EXPECT_EQ(read("ram.dat"), "kept");
  EXPECT_EQ(fs::status("ram.dat").permissions() & fs::perms::owner_write, fs::perms::none);

  fs::remove("ram.dat");
  fs::create_directory("saves");
  write("saves/game.img", "old game");
  fs::create_symlink("saves/game.img", "ram.dat");
  ram[0] = 'N';
  saveram();
  EXPECT_TRUE(fs::is_symlink("ram.dat"));
  const std::string image = read("saves/game.img");
  ASSERT_EQ(image.size(), 65536u);
  EXPECT_EQ(image[0], 'N');
  EXPECT_EQ(files(), (std::vector<std::string>{"ram.dat", "saves"}));
}

TEST_F(RamFile, AFailedSaveOnTheWayOutLetsTheNextWayOutLeaveWithoutSaving) {
  write("ram.dat", "kept");
  fs::permissions("ram.dat", fs::perms::owner_read);
  ram[0] = 'X';
  EXPECT_EQ(errorText(saveRamOnExit), "Unable to write to " + (dir_ / "ram.dat").string() +
                                          ": the file is read-only. Exit once more to end the program without "
                                          "saving the game.");
  EXPECT_EQ(errorText(saveRamOnExit), "no error");  // nothing saved, nothing said: the way out is free
  EXPECT_EQ(read("ram.dat"), "kept");
  // A fresh start saves again.
  fs::permissions("ram.dat", fs::perms::owner_read | fs::perms::owner_write);
  loadram();
  ram[0] = 'Y';
  EXPECT_EQ(errorText(saveRamOnExit), "no error");
  EXPECT_EQ(read("ram.dat")[0], 'Y');
}

TEST_F(RamFile, ExplicitPathsWorkAsTheDefaultName) {
  ram[1] = 1;
  saveram("copy.img");
  ram[1] = 0;
  loadram("copy.img");
  EXPECT_EQ(ram[1], 1);
}

}  // namespace
}  // namespace drum
