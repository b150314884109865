#include <gtest/gtest.h>
#include <algorithm>

#include "session/sessionfixture.h"

namespace drum::sessiontest {
namespace {

TEST(MainWindowCaption, TheExecutablesNameUpToItsFirstDot) {
  languagebase = 2000;
  EXPECT_EQ(mainWindowCaption("/opt/game/drum"), "drum - Oskira Basic Interpreter");
  EXPECT_EQ(mainWindowCaption("/opt/game.d/my.game.exe"), "my - Oskira Basic Interpreter");
  languagebase = 3000;
  EXPECT_EQ(mainWindowCaption("drum.exe"), cp("drum - Prekladač Oskira Basicu"));
}

TEST_F(SessionTest, CreationReadsTheLanguageBeforeTheCaptions) {
  for (int base : {1000, 2000, 3000}) {
    settings("[environment]\nlanguage=" + std::to_string(base) + "\n");
    int seen = 0;
    create([&] { seen = languagebase; });
    EXPECT_EQ(seen, base);
    EXPECT_EQ(keyfile, LocalString(24) + ".eky");
    releaseSound();
  }
  EXPECT_EQ(keyfile, "slovak.eky");
}

TEST_F(SessionTest, FirstStartWritesWhetherAVoiceCanBeHad) {
  create();
  EXPECT_TRUE(voiceallowed);
  EXPECT_TRUE(settingsFile().readBool("voice", "voiceallowed", false));
  EXPECT_TRUE(menuEnabled(MenuItem::Voicesubmenu));
  EXPECT_FALSE(voiceready);
  EXPECT_EQ(printmemo.count(), 24);
  EXPECT_FALSE(programstarted);
  releaseSound();
  ReleaseSpeech();

  std::filesystem::remove(dir + "/drum.ini");
  speech.installed = false;  // no in-process engines on this machine
  create();
  EXPECT_FALSE(voiceallowed);
  EXPECT_FALSE(settingsFile().readBool("voice", "voiceallowed", true));
  EXPECT_FALSE(menuEnabled(MenuItem::Voicesubmenu));
}

TEST_F(SessionTest, StoredSettingsSetTheFlagsAndTheMarks) {
  settings("[VOICE]\nvoiceallowed=1\nSAPI5=1\n[sounds]\noskirasounds=0\nsndvolume=-1500\n[keyboard]\nbraillekeys=1\n");
  create();
  EXPECT_TRUE(sapi5inuse);
  EXPECT_TRUE(voiceready);
  EXPECT_TRUE(menuChecked(MenuItem::usesapi5submenu));
  EXPECT_TRUE(menuChecked(MenuItem::braillekeyboarditem));
  EXPECT_TRUE(braillemode);
  EXPECT_FALSE(oskirasounds);
  EXPECT_EQ(sndvolume, -1500);
  EXPECT_FALSE(menuEnabled(MenuItem::Voicesubmenu));  // SAPI5 in use
}

TEST_F(SessionTest, TheMemoryIsZeroedThenLoaded) {
  ram.fill(7);
  writeFile("ram.dat", "AB");
  create();
  EXPECT_EQ(ram[0], 'A');
  EXPECT_EQ(ram[1], 'B');
  EXPECT_EQ(ram[2], 0);
  EXPECT_EQ(ram[65535], 0);
}

TEST_F(SessionTest, WithoutTheSoundBankTheProgramSaysSoAndEnds) {
  settings("[environment]\nlanguage=2000\n");
  std::filesystem::remove(dir + "/sounds.dat");
  EXPECT_THROW(create(), ProcessTerminated);
  ASSERT_EQ(clock.messageBoxes().size(), 1u);
  EXPECT_EQ(clock.messageBoxes()[0], "Can't find the file sounds.dat");
  EXPECT_FALSE(exists("ram.dat"));  // nothing is saved
}

TEST_F(SessionTest, AMissingBrailleTableStopsTheCreationBeforeTheKeyFile) {
  std::filesystem::remove(dir + "/czech.ebt");
  echokeys.fill({});
  EXPECT_THROW(create(), Error);
  EXPECT_EQ(echokeys[0].text, "");
  EXPECT_NE(soundMixer(), nullptr);  // the steps before it were done
}

TEST_F(SessionTest, StartRunsTheGameWithTheItemsDisabledAndSaysReady) {
  settings("[environment]\nlanguage=2000\n");
  create();
  gamekeys = {"e"};
  bool checked = false;
  onprint = [&](const std::string&) {
    if (checked || !programRunning()) return;
    checked = true;
    EXPECT_TRUE(allRunItems(false));
    EXPECT_TRUE(menuEnabled(MenuItem::exitsubmenu));
    EXPECT_TRUE(menuEnabled(MenuItem::braillekeyboarditem));
    EXPECT_TRUE(programstarted);
    EXPECT_FALSE(dataFileOpen());  // there is no data.dta
  };
  mainwindow::StartsubmenuClick();
  EXPECT_TRUE(checked);
  EXPECT_TRUE(allRunItems(true));
  EXPECT_FALSE(programRunning());
  ASSERT_FALSE(printed.empty());
  EXPECT_EQ(printed.back(), "ready");
  EXPECT_EQ(ram[kReviewLockAddress], 0);  // the game's own saving ran
}

TEST_F(SessionTest, TheDataFileIsOpenDuringTheRunOnly) {
  create();
  writeFile("data.dta", "1,2,3\r\n");
  gamekeys = {"e"};
  bool open = false;
  onprint = [&](const std::string&) { open = open || dataFileOpen(); };
  mainwindow::StartsubmenuClick();
  EXPECT_TRUE(open);
  EXPECT_FALSE(dataFileOpen());
}

TEST_F(SessionTest, ADataFileThatIsAFolderEndsTheRunBeforeTheProgram) {
  create();
  std::filesystem::create_directory(dir + "/data.dta");
  bool ran = false;
  setRunObserver([&](bool) { ran = true; });
  try {
    mainwindow::StartsubmenuClick();
    ADD_FAILURE() << "the run went on";
  } catch (const Error& e) {
    const std::string text = e.what();
    EXPECT_EQ(text.rfind("Unable to read ", 0), 0u) << text;
    EXPECT_NE(text.find("data.dta"), std::string::npos) << text;
  }
  EXPECT_FALSE(ran);
  EXPECT_TRUE(printed.empty());
  EXPECT_TRUE(allRunItems(false));  // as after any failed command of a run
}

TEST_F(SessionTest, AFailedRunLeavesTheItemsDisabledAndExitThenEndsAtOnce) {
  create();
  // A bank without the key wait's click: the run fails at its first key wait.
  auto items = testbank();
  std::erase_if(items, [](const SoundItem& i) { return i.Name == "click9"; });
  soundbank.assign(std::move(items));
  writeFile("data.dta", "x");
  EXPECT_THROW(mainwindow::StartsubmenuClick(), Error);
  EXPECT_TRUE(allRunItems(false));
  EXPECT_TRUE(dataFileOpen());
  EXPECT_FALSE(programRunning());

  int closed = 0;
  mainwindow::setCloser([&] { ++closed; });
  EXPECT_THROW(mainwindow::exitsubmenuClick(), ProcessTerminated);
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(readFile("ram.dat").size(), kRamSize);
  EXPECT_EQ(soundMixer(), nullptr);
}

TEST_F(SessionTest, ExitWhenIdleSavesAndClosesTheWindow) {
  create();
  int closed = 0;
  mainwindow::setCloser([&] {
    ++closed;
    std::filesystem::remove(dir + "/ram.dat");
    mainwindow::FormClose();  // the close handler saves once more
  });
  ram[100] = 42;
  mainwindow::exitsubmenuClick();
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(static_cast<unsigned char>(readFile("ram.dat")[100]), 42);
  EXPECT_EQ(soundMixer(), nullptr);
}

TEST_F(SessionTest, ExitDuringARunAbandonsItAfterSaving) {
  create();
  gamekeys = {};  // the game waits for keys for ever
  int closed = 0;
  mainwindow::setCloser([&] { ++closed; });
  // The player chooses Exit while the game waits.
  clock.schedule(clock.nowMicros() + 5000000, [] { mainwindow::exitsubmenuClick(); });
  EXPECT_THROW(mainwindow::StartsubmenuClick(), ProcessTerminated);
  EXPECT_EQ(closed, 0);
  const std::string image = readFile("ram.dat");
  ASSERT_EQ(image.size(), kRamSize);
  EXPECT_EQ(image[kReviewLockAddress], 1);  // as the game left it: not its own saving
}

TEST_F(SessionTest, ClosingTheWindowDuringARunEndsTheProcess) {
  create();
  clock.schedule(clock.nowMicros() + 3000000, [] { mainwindow::FormClose(); });
  EXPECT_THROW(mainwindow::StartsubmenuClick(), ProcessTerminated);
  EXPECT_EQ(readFile("ram.dat").size(), kRamSize);
}

TEST_F(SessionTest, ClosingWhenIdleSavesAndGoesOn) {
  create();
  EXPECT_NO_THROW(mainwindow::FormClose());
  EXPECT_EQ(readFile("ram.dat").size(), kRamSize);
}

TEST_F(SessionTest, TheSapi5SwitchPlaysItsTonesAndWritesItsMark) {
  create();
  sounds.clear();
  mainwindow::usesapi5submenuClick();
  EXPECT_TRUE(sapi5inuse);
  EXPECT_TRUE(voiceready);
  EXPECT_TRUE(menuChecked(MenuItem::usesapi5submenu));
  EXPECT_FALSE(menuEnabled(MenuItem::Voicesubmenu));
  EXPECT_TRUE(settingsFile().readBool("Voice", "SAPI5", false));
  EXPECT_EQ(sounds, (std::vector<std::string>{"400/50/3", "600/50/3"}));
  sounds.clear();
  mainwindow::usesapi5submenuClick();
  EXPECT_FALSE(sapi5inuse);
  EXPECT_FALSE(voiceready);
  EXPECT_TRUE(menuEnabled(MenuItem::Voicesubmenu));
  EXPECT_FALSE(settingsFile().readBool("voice", "sapi5", true));
  EXPECT_EQ(sounds, (std::vector<std::string>{"600/50/3", "400/50/3"}));
}

TEST_F(SessionTest, AfterARunWithSapi5TheVoiceItemIsEnabled) {
  settings("[voice]\nSAPI5=1\n");
  create();
  ASSERT_FALSE(menuEnabled(MenuItem::Voicesubmenu));
  gamekeys = {"e"};
  mainwindow::StartsubmenuClick();
  EXPECT_TRUE(menuEnabled(MenuItem::Voicesubmenu));
}

TEST_F(SessionTest, TheFirstRunStoresTheDefaultVoiceAndSpeaksThroughIt) {
  settings("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=1\n");
  create();
  gamekeys = {"e"};
  mainwindow::StartsubmenuClick();
  EXPECT_EQ(settingsFile().readString("Voice", "person", ""), "Czech");  // no "Jakub": the first voice
  EXPECT_TRUE(voiceready);
  const auto said = speech.log.texts();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.back(), "ready");
}

TEST_F(SessionTest, TheProgramStartedFlagStaysAfterARun) {
  create();
  gamekeys = {"e", "e"};
  mainwindow::StartsubmenuClick();
  EXPECT_TRUE(programstarted);
  mainwindow::StartsubmenuClick();  // a second run in the same process
  EXPECT_TRUE(programstarted);
  EXPECT_EQ(std::count(printed.begin(), printed.end(), "hotovo"), 2);
}

}  // namespace
}  // namespace drum::sessiontest
