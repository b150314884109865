// Reading "sounds.dat" and its waves, and loading the bank at start-up.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/unprivileged.h"
#include "platform/error.h"
#include "platform/virtualhost.h"
#include "runtime/soundbank.h"
#include "runtime/soundsystem.h"
#include "runtime/wave.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum {
namespace {

std::string shortString(const std::string& s) { return std::string(1, static_cast<char>(s.size())) + s; }
std::string le32(std::uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}
std::string le16(std::uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string fmtChunk(int tag, int channels, int rate, int bits) {
  return "fmt " + le32(16) + le16(tag) + le16(channels) + le32(rate) + le32(rate * channels * bits / 8) +
         le16(channels * bits / 8) + le16(bits);
}
std::string riff(const std::string& chunks) { return "RIFF" + le32(4 + chunks.size()) + "WAVE" + chunks; }
std::string dataChunk(const std::string& bytes) { return "data" + le32(bytes.size()) + bytes; }

std::string bank(const std::string& items) {
  return "TPF0" + shortString("TWaveCollectionComponent") + shortString("") + shortString("List") + '\x0e' + items +
         std::string(3, '\0');
}
std::string nameProp(const std::string& n) { return shortString("Name") + '\x06' + shortString(n); }
std::string waveProp(const std::string& w) { return shortString("Wave.WAVE") + '\x0a' + le32(w.size()) + w; }
std::string item(const std::string& props) { return '\x01' + props + '\0'; }

const std::string kTone = riff(fmtChunk(1, 1, 8000, 16) + dataChunk(le16(1000) + le16(static_cast<std::uint16_t>(-1000))));

std::string errorOf(const std::string& data) {
  try {
    readSoundBank(data, "sounds.dat");
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(SoundBankFile, ReadsEveryTypeByteOfTheItemProperties) {
  std::u16string wide = u"snd11";
  std::string wideBytes;
  for (char16_t c : wide) wideBytes += le16(c);
  const std::string items =
      item(nameProp("click2") + shortString("Looped") + '\x08' + shortString("MaxPlayingCount") + '\x02' + '\xFE' +
           waveProp(kTone)) +
      '\x02' + '\x07' +  // an order number before the item, read and ignored
      item(shortString("Name") + '\x0c' + le32(4) + "beep" + shortString("Looped") + '\x09' +
           shortString("MaxPlayingCount") + '\x03' + le16(300)) +
      '\x04' + le32(12) +
      item(waveProp(kTone) + shortString("Name") + '\x12' + le32(5) + wideBytes + shortString("MaxPlayingCount") + '\x04' +
           le32(70000)) +
      '\x03' + le16(1) + item(shortString("Name") + '\x14' + le32(7) + "zvuk\xC4\x8D" "1");  // "zvukč1" in UTF-8
  const auto got = readSoundBank(bank(items), "sounds.dat");
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].Name, "click2");
  EXPECT_FALSE(got[0].Looped);
  EXPECT_EQ(got[0].MaxPlayingCount, -2);
  EXPECT_EQ(got[0].Wave, kTone);
  ASSERT_TRUE(got[0].buffer);
  EXPECT_EQ(got[0].buffer->rate, 8000);
  EXPECT_EQ(got[1].Name, "beep");
  EXPECT_TRUE(got[1].Looped);
  EXPECT_EQ(got[1].MaxPlayingCount, 300);
  EXPECT_TRUE(got[1].Wave.empty());
  EXPECT_EQ(got[2].Name, "snd11");
  EXPECT_EQ(got[2].MaxPlayingCount, 70000);
  EXPECT_EQ(got[3].Name, "zvuk\xE8" "1");  // Windows-1250
  for (const auto& i : got) {
    EXPECT_EQ(i.frequency, 0);
    EXPECT_EQ(i.volume, 0);
  }
}

TEST(SoundBankFile, DecodesEightAndSixteenBitMonoAndStereo) {
  const SampleBuffer eight = decodeWave(riff(fmtChunk(1, 1, 11025, 8) + dataChunk(std::string("\x80\xFF\x00", 3))));
  EXPECT_EQ(eight.rate, 11025);
  ASSERT_EQ(eight.samples.size(), 3u);
  EXPECT_FLOAT_EQ(eight.samples[0], 0.0f);
  EXPECT_FLOAT_EQ(eight.samples[1], 127.0f / 128);
  EXPECT_FLOAT_EQ(eight.samples[2], -1.0f);

  const SampleBuffer stereo =
      decodeWave(riff(fmtChunk(1, 2, 44100, 16) + dataChunk(le16(0x4000) + le16(0xC000) + le16(0x7FFF) + "\x01")));
  EXPECT_EQ(stereo.channels, 2);
  ASSERT_EQ(stereo.frames(), 1u);  // a partial frame at the end is left out
  EXPECT_FLOAT_EQ(stereo.samples[0], 0.5f);
  EXPECT_FLOAT_EQ(stereo.samples[1], -0.5f);

  const SampleBuffer stereo8 = decodeWave(riff(fmtChunk(1, 2, 8000, 8) + dataChunk("\x80\x80\xC0\x40")));
  EXPECT_EQ(stereo8.frames(), 2u);
  EXPECT_FLOAT_EQ(stereo8.samples[3], -0.5f);
}

TEST(SoundBankFile, ChunkSizesAreUsedAsStored) {
  // An odd-sized chunk is followed at once by the next, with no pad byte; a
  // header that does not fit at the end counts as the end of the image.
  const std::string image = riff("LIST" + le32(3) + "abc" + fmtChunk(1, 1, 8000, 8) + dataChunk("\x90\x70") + "ju");
  const SampleBuffer b = decodeWave(image);
  ASSERT_EQ(b.samples.size(), 2u);
  EXPECT_FLOAT_EQ(b.samples[0], 0.125f);
  // The size in the RIFF header is not what ends the image.
  std::string wrong = riff(fmtChunk(1, 1, 8000, 8) + dataChunk("\x90"));
  wrong.replace(4, 4, le32(7));
  EXPECT_EQ(decodeWave(wrong).samples.size(), 1u);
}

TEST(SoundBankFile, BadWavesSayWhatIsWrongAndWhichItem) {
  auto waveError = [](const std::string& image) {
    return errorOf(bank(item(nameProp("snd11") + waveProp(image))));
  };
  EXPECT_EQ(waveError("RIFX" + le32(4) + "WAVE"), "sounds.dat: item 1 \"snd11\": Wave is invalid");
  EXPECT_EQ(waveError("RIFF" + le32(4) + "AVI "), "sounds.dat: item 1 \"snd11\": Wave is invalid");
  EXPECT_EQ(waveError("RIFF"), "sounds.dat: item 1 \"snd11\": Wave is invalid");
  EXPECT_EQ(waveError(riff(dataChunk("ab"))), "sounds.dat: item 1 \"snd11\": the wave has no 'fmt ' chunk");
  EXPECT_EQ(waveError(riff(fmtChunk(1, 1, 8000, 8))), "sounds.dat: item 1 \"snd11\": the wave has no 'data' chunk");
  EXPECT_EQ(waveError(riff(fmtChunk(1, 1, 8000, 24) + dataChunk("abc"))),
            "sounds.dat: item 1 \"snd11\": the wave has 24-bit samples (8 or 16 are supported)");
  EXPECT_EQ(waveError(riff(fmtChunk(1, 6, 8000, 16) + dataChunk(""))),
            "sounds.dat: item 1 \"snd11\": the wave has 6 channels (1 or 2 are supported)");
  EXPECT_EQ(waveError(riff(fmtChunk(3, 1, 8000, 16) + dataChunk(""))),
            "sounds.dat: item 1 \"snd11\": the wave is not PCM (format 3)");
  EXPECT_EQ(waveError(riff(fmtChunk(1, 1, 0, 16) + dataChunk(""))),
            "sounds.dat: item 1 \"snd11\": the wave's rate of 0 Hz is out of range (1000 to 1000000 Hz)");
  EXPECT_EQ(waveError(riff(fmtChunk(1, 1, 8000, 16) + "data" + le32(100) + "ab")),
            "sounds.dat: item 1 \"snd11\": chunk 'data' of 100 bytes runs past the end of the wave (2 bytes left at byte 44)");
}

// A click at 1 Hz held the game for minutes, deaf to every key.
TEST(SoundBankFile, WavesTooSlowOrClicksTooLongAreRefusedByName) {
  const auto named = [](const std::string& name, const std::string& image) {
    return errorOf(bank(item(nameProp(name) + waveProp(image))));
  };
  EXPECT_EQ(named("click9", riff(fmtChunk(1, 1, 999, 8) + dataChunk("\x90"))),
            "sounds.dat: item 1 \"click9\": the wave's rate of 999 Hz is out of range (1000 to 1000000 Hz)");
  const std::string sixSeconds = riff(fmtChunk(1, 1, 1000, 8) + dataChunk(std::string(6000, '\x80')));
  EXPECT_EQ(named("Click9", sixSeconds),
            "sounds.dat: item 1 \"Click9\": the wave lasts 6000 ms, more than the 5000 ms a click or the beep may last");
  EXPECT_NE(named("beep", sixSeconds), "no error");
  EXPECT_EQ(named("snd11", sixSeconds), "no error");  // a looped tone, stopped by its SOUND
}

TEST(SoundBankFile, DamagedStreamsSayWhatBrokeWhere) {
  const std::string good = bank(item(nameProp("snd11") + waveProp(kTone)));
  EXPECT_EQ(errorOf("TPF1" + good.substr(4)), "sounds.dat: no TPF0 signature (not a sound bank) at byte 0");
  EXPECT_EQ(errorOf("TPF0" + shortString("TForm1") + shortString("")),
            "sounds.dat: the object is a \"TForm1\", not a TWaveCollectionComponent at byte 4");
  std::string list = good;
  list[list.find("List") + 4] = '\x01';
  EXPECT_EQ(errorOf(list), "sounds.dat: List has a value of type 1 (not a collection) at byte 35");
  EXPECT_EQ(errorOf(bank('\x01' + shortString("Colour") + '\x02' + '\x01' + '\0')),
            "sounds.dat: item 1 has an unknown property \"Colour\" at byte 37");
  EXPECT_EQ(errorOf(bank(item(shortString("Looped") + '\x02' + '\x01'))),
            "sounds.dat: Looped has a value of type 2 (not a boolean) at byte 44");
  EXPECT_EQ(errorOf(bank(item(shortString("Name") + '\x02' + '\x01'))),
            "sounds.dat: Name has a value of type 2 (not a string) at byte 42");
  EXPECT_EQ(errorOf(bank(item(shortString("MaxPlayingCount") + '\x06' + shortString("x")))),
            "sounds.dat: MaxPlayingCount has a value of type 6 (not an integer) at byte 53");
  EXPECT_EQ(errorOf(bank(item(shortString("Wave.WAVE") + '\x0a' + le32(0x7FFFFFFF)))),
            "sounds.dat: the file ends inside Wave.WAVE (2147483647 declared) at byte 48");
  EXPECT_EQ(errorOf(bank(item(shortString("Wave.WAVE") + '\x0a' + le32(0xFFFFFFFF)))),
            "sounds.dat: negative length of Wave.WAVE at byte 48");
  EXPECT_EQ(errorOf(bank('\x05' + item(""))), "sounds.dat: item 1 starts with type 5 (not a list) at byte 36");
  // Cut anywhere, the file gives a clear error and never a crash.
  for (std::size_t n = 0; n < good.size(); ++n) {
    const std::string e = errorOf(good.substr(0, n));
    EXPECT_EQ(e.rfind("sounds.dat: ", 0), 0u) << n << ": " << e;
    EXPECT_NE(e.find(" at byte "), std::string::npos) << n << ": " << e;
  }
  EXPECT_EQ(errorOf(good), "no error");
}

// ---- Loading at start-up ----------------------------------------------------------

class LoadSoundBank : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&clock);
    dir_ = std::filesystem::temp_directory_path() / ("drum-sound-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    initSound(true);
  }
  void TearDown() override {
    releaseSound();
    soundbank.clear();
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
    setHost(nullptr);
  }
  void write(const std::string& bytes) { std::ofstream("sounds.dat", std::ios::binary) << bytes; }
  VirtualHost clock;
  std::filesystem::path dir_, old_;
};

TEST_F(LoadSoundBank, MissingFileShowsMessage42AndEndsTheProcess) {
  for (int base : {1000, 2000, 3000}) {
    languagebase = base;
    try {
      loadsoundbank();
      FAIL() << "the process went on";
    } catch (const ProcessTerminated&) {
    }
  }
  languagebase = 2000;
  ASSERT_EQ(clock.messageBoxes().size(), 3u);
  EXPECT_EQ(clock.messageBoxes()[1], "Can't find the file sounds.dat");
  EXPECT_EQ(clock.messageBoxes()[0], TResourceLocalizer::LocalString(1000, 42) + " sounds.dat");
  EXPECT_EQ(clock.messageBoxes()[2], TResourceLocalizer::LocalString(3000, 42) + " sounds.dat");
  EXPECT_FALSE(std::filesystem::exists("ram.dat"));  // nothing saved
}

TEST_F(LoadSoundBank, ABankThatIsThereButCannotBeReadIsReportedAsSuchNotAsMissing) {
  ::alarm(60);  // a read that blocks would hang the suite: end it instead
  const std::string path = (std::filesystem::current_path() / "sounds.dat").string();
  const auto refusal = [] {
    try {
      loadsoundbank();
    } catch (const Error& e) {
      return std::string(e.what());
    } catch (const ProcessTerminated&) {
      return std::string("the process ended");
    }
    return std::string("loaded");
  };
  std::filesystem::create_directory("sounds.dat");
  EXPECT_EQ(refusal(), "Unable to read " + path + ": it is a folder, not a file");
  std::filesystem::remove("sounds.dat");
  ASSERT_EQ(::mkfifo("sounds.dat", 0600), 0);
  EXPECT_EQ(refusal(), "Unable to read " + path + ": it is a pipe (FIFO), not a file");
  std::filesystem::remove("sounds.dat");
  std::filesystem::create_symlink("/dev/zero", "sounds.dat");
  EXPECT_EQ(refusal(), "Unable to read " + path + ": it is a device, not a file");
  std::filesystem::remove("sounds.dat");
  write("TPF0");
  ASSERT_EQ(::truncate("sounds.dat", 1LL << 30), 0);
  EXPECT_EQ(refusal(), "Unable to read " + path +
                           ": it is 1073741824 bytes long, more than the 64 MiB that such a file can have");
  std::filesystem::remove("sounds.dat");
  ::alarm(0);

  // No permission to read it: only an unprivileged player meets that.
  write(bank(item(nameProp("beep") + waveProp(kTone))));
  std::filesystem::permissions("sounds.dat", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::permissions(".", std::filesystem::perms::all);
  const auto unprivileged = testing::asUnprivileged(refusal);
  if (!unprivileged) GTEST_SKIP() << "no unprivileged user to run as";
  EXPECT_EQ(*unprivileged, "Unable to read " + path + ": Permission denied");
  EXPECT_TRUE(clock.messageBoxes().empty());  // message 42 is for a missing bank only
}

TEST_F(LoadSoundBank, ReplacesTheCollectionAndKeepsItWhenTheFileIsDamaged) {
  write(bank(item(nameProp("snd11") + waveProp(kTone)) + item(nameProp("beep") + waveProp(kTone))));
  loadsoundbank();
  EXPECT_EQ(soundbank.count(), 2u);
  write(bank(item(nameProp("click9") + waveProp(kTone))));
  loadsoundbank();
  ASSERT_EQ(soundbank.count(), 1u);
  EXPECT_EQ(soundbank.item(0).Name, "click9");
  write(bank(item(nameProp("x") + waveProp("RIFF"))));
  try {
    loadsoundbank();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "sounds.dat: item 1 \"x\": Wave is invalid");
  }
  EXPECT_EQ(soundbank.count(), 1u);
  EXPECT_TRUE(clock.messageBoxes().empty());
}

}  // namespace
}  // namespace drum
