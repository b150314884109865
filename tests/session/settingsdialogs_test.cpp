#include "shell/session/settingsdialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "session/sessionfixture.h"

namespace drum::sessiontest {
namespace {

// Dialogs whose modal loop is the test's script.
class ScriptedDialog : public SettingsDialog {
 public:
  bool showModal() override {
    ++shown;
    if (script) script();
    return ok;
  }
  std::function<void()> script;
  bool ok = true;
  int shown = 0;
};

class ScriptedEnvironment : public EnvironmentDialog {
 public:
  void setEntries(const std::vector<LanguageEntry>& entries) override {
    names.clear();
    for (const auto& e : entries) names.push_back(e.name);
    index = -1;
  }
  int itemindex() const override { return index; }
  void setItemIndex(int i) override {
    const int n = i >= 0 && i < static_cast<int>(names.size()) ? i : -1;
    if (n == index) return;
    index = n;
    if (n >= 0) languagergroupClick(n);
  }
  bool showModal() override {
    if (script) script();
    return ok;
  }
  std::vector<std::string> names;
  int index = -1;
  std::function<void()> script;
  bool ok = true;
};

class ScriptedSounds : public SoundsDialog {
 public:
  bool voiceChecked() const override { return voice; }
  void setVoiceChecked(bool on) override { voice = on; }
  bool soundsChecked() const override { return sounds; }
  void setSoundsChecked(bool on) override {
    sounds = on;
    enabled = on;  // the check box's click handler
  }
  void setVolumePosition(int p) override {
    p = std::clamp(p, 0, 100);
    if (p == position) return;
    position = p;
    sndvoltrackbarChange(p, active);
  }
  void setVolumeEnabled(bool on) override { enabled = on; }
  bool showModal() override {
    active = true;
    if (script) script();
    active = false;
    return ok;
  }
  bool voice = false, sounds = false, enabled = true, active = false, ok = true;
  int position = 0;
  std::function<void()> script;
};

class SettingsDialogsTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    voicedialog = VoiceDialogModel();
  }
  std::vector<std::string> said() const { return speech.log.texts(); }
  const std::vector<std::string>& boxes() { return clock.messageBoxes(); }
};

// ---- Voice --------------------------------------------------------------------

TEST_F(SettingsDialogsTest, VoiceRefusedWhileVoiceIsNotAllowed) {
  settings("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n");
  create();
  ScriptedDialog dialog;
  VoicesubmenuClick(dialog);
  EXPECT_EQ(dialog.shown, 0);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0], "The voice is turned off. You can turn it on in the Sounds dialog, menu Settings");
}

TEST_F(SettingsDialogsTest, VoiceChosenWithOkIsStoredSelectedAndConfirmed) {
  settings("[environment]\nlanguage=2000\n");
  create();
  ScriptedDialog dialog;
  dialog.script = [this] {
    // The first use stored the default voice with the engine's own values.
    EXPECT_EQ(settingsFile().readString("Voice", "person", ""), "Czech");
    EXPECT_EQ(settingsFile().readInteger("Voice", "speed", 0), 175);
    voicedialog.voicelist.setItemIndex(1);
    voicelistClick();
    voicedialog.speedtb.setPosition(300);
  };
  VoicesubmenuClick(dialog);
  EXPECT_EQ(settingsFile().readString("Voice", "person", ""), "English");
  EXPECT_EQ(settingsFile().readInteger("Voice", "speed", 0), 300);
  EXPECT_EQ(chosenmode->szModeName, "English");
  ASSERT_FALSE(said().empty());
  EXPECT_EQ(said().back(), "Voice selected.");
  // The new engine took the stored speed.
  EXPECT_EQ(speech.log.tags.back(), "\\Spd=300\\");
}

TEST_F(SettingsDialogsTest, VoiceCancelledSaysTheMainCaptionAndKeepsTheFileAndTheEngine) {
  settings("[environment]\nlanguage=2000\n[Voice]\nperson=english\npitch=20\nspeed=200\nvolume=128\n");
  create();
  SelectVoice();  // a voice is ready, as after a run
  const std::string before = readFile("drum.ini");
  ScriptedDialog dialog;
  dialog.ok = false;
  dialog.script = [this] { voicedialog.speedtb.setPosition(400); };
  VoicesubmenuClick(dialog);
  EXPECT_EQ(readFile("drum.ini"), before);
  EXPECT_EQ(said().back(), mainWindowCaption());
  EXPECT_EQ(speech.log.tags.back(), "\\Spd=400\\");  // what the dialog left stays
  EXPECT_EQ(voicedialog.speedtb.position(), 400);
  EXPECT_EQ(voicedialog.pitchtb.position(), 20);
}

TEST_F(SettingsDialogsTest, VoiceCancelledSaysTheCaptionTheMainWindowHasNotOneInANewLanguage) {
  settings("[environment]\nlanguage=2000\n[Voice]\nperson=english\n");
  create();
  const std::string shown = mainWindowCaption();  // English, as the window shows it
  languagebase = 3000;  // Slovak chosen in the environment dialog: from the next start
  ScriptedDialog dialog;
  dialog.ok = false;
  VoicesubmenuClick(dialog);
  ASSERT_FALSE(said().empty());
  EXPECT_EQ(said().back(), shown);
  EXPECT_EQ(mainCaption(), shown);
  languagebase = 2000;
}

// ---- Environment ------------------------------------------------------------------

TEST_F(SettingsDialogsTest, EnvironmentCreationListsTheLanguagesAndReadsTheStoredOne) {
  settings("[environment]\nlanguage=3000\n");
  create();
  ScriptedEnvironment dialog;
  EnvironmentFormCreate(dialog);
  EXPECT_EQ(dialog.names, (std::vector<std::string>{cp("Čeština"), "English", cp("Slovenčina")}));
  EXPECT_EQ(dialog.index, 0);  // selected at creation, before the stored language is read
  EXPECT_EQ(languagebase, 3000);
  EXPECT_EQ(environmentCaptions().caption, "Nastavenie prostredia");
}

TEST_F(SettingsDialogsTest, EnvironmentWalkAndMessageSixInTheNewLanguage) {
  settings("[environment]\nlanguage=1000\n");
  create();
  ScriptedEnvironment dialog;
  EnvironmentFormCreate(dialog);
  std::vector<std::string> captions;
  dialog.script = [&] {
    EXPECT_EQ(dialog.index, 0);
    for (int i : {1, 2, 1}) {
      dialog.setItemIndex(i);
      captions.push_back(environmentCaptions().caption);
    }
  };
  environmentsubmenuClick(dialog);
  EXPECT_EQ(captions,
            (std::vector<std::string>{"environment settings", "Nastavenie prostredia", "environment settings"}));
  EXPECT_EQ(settingsFile().readInteger("environment", "language", 0), 2000);
  EXPECT_EQ(boxes(), (std::vector<std::string>{"Your changes will be applied after you restart the program."}));
  EXPECT_EQ(languagebase, 2000);
}

TEST_F(SettingsDialogsTest, EnvironmentOkWithoutAChangeWritesButSaysNothing) {
  create();  // no settings file: Czech
  std::filesystem::remove(dir + "/drum.ini");
  ScriptedEnvironment dialog;
  EnvironmentFormCreate(dialog);
  environmentsubmenuClick(dialog);
  EXPECT_EQ(settingsFile().readInteger("environment", "language", 0), 1000);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(SettingsDialogsTest, EnvironmentCancelPutsTheLanguageBack) {
  settings("[environment]\nlanguage=2000\n");
  create();
  ScriptedEnvironment dialog;
  EnvironmentFormCreate(dialog);
  const std::string before = readFile("drum.ini");
  dialog.ok = false;
  dialog.script = [&] {
    dialog.setItemIndex(2);
    EXPECT_EQ(languagebase, 3000);
  };
  environmentsubmenuClick(dialog);
  EXPECT_EQ(languagebase, 2000);
  EXPECT_EQ(dialog.index, 1);
  EXPECT_EQ(environmentCaptions().okbitbtn, "&OK");
  EXPECT_EQ(readFile("drum.ini"), before);
  EXPECT_TRUE(boxes().empty());
}

// ---- Sounds ----------------------------------------------------------------------------

TEST(SoundVolume, BarPositionsAndVolumes) {
  EXPECT_EQ(volumePosition(0), 100);
  EXPECT_EQ(volumePosition(-10000), 0);
  EXPECT_EQ(volumePosition(-150), 98);
  EXPECT_EQ(volumePosition(-10050), 0);  // truncated toward zero
  EXPECT_EQ(volumePosition(2147483647), 21474936);
  EXPECT_EQ(volumeFromPosition(98), -200);
  EXPECT_EQ(volumeFromPosition(0), -10000);
}

TEST_F(SettingsDialogsTest, SoundsStoredVolumeIsRoundedToTheBarAndWrittenOnOk) {
  settings("[sounds]\nsndvolume=-150\n");
  create();
  ASSERT_EQ(sndvolume, -150);
  ScriptedSounds dialog;
  dialog.script = [&] {
    EXPECT_EQ(dialog.position, 98);
    EXPECT_EQ(sndvolume, -200);
    EXPECT_TRUE(dialog.voice);
    EXPECT_TRUE(dialog.sounds);
    EXPECT_TRUE(dialog.enabled);
  };
  soundssubmenuClick(dialog);
  EXPECT_TRUE(sounds.empty());  // set before the dialog is active: no tone
  EXPECT_EQ(settingsFile().readInteger("sounds", "sndvolume", 0), -200);
  EXPECT_TRUE(settingsFile().readBool("sounds", "oskirasounds", false));
}

TEST_F(SettingsDialogsTest, SoundsMovingTheBarSoundsAndCancelRestoresTheVolume) {
  settings("[sounds]\nsndvolume=-150\n");
  create();
  const std::string before = readFile("drum.ini");
  ScriptedSounds dialog;
  dialog.ok = false;
  dialog.script = [&] {
    dialog.setVolumePosition(50);
    EXPECT_EQ(sndvolume, -5000);
  };
  soundssubmenuClick(dialog);
  EXPECT_EQ(sounds, (std::vector<std::string>{"1000/100/1"}));
  EXPECT_EQ(sndvolume, -200);  // the volume as the dialog opened with it
  EXPECT_EQ(readFile("drum.ini"), before);
}

TEST_F(SettingsDialogsTest, SoundsOffDisableTheBarAndAreStored) {
  settings("[sounds]\noskirasounds=0\n");
  create();
  ScriptedSounds dialog;
  dialog.script = [&] {
    EXPECT_FALSE(dialog.enabled);
    dialog.setSoundsChecked(true);
    EXPECT_TRUE(dialog.enabled);
  };
  soundssubmenuClick(dialog);
  EXPECT_TRUE(oskirasounds);
  EXPECT_TRUE(settingsFile().readBool("sounds", "oskirasounds", false));
}

TEST_F(SettingsDialogsTest, SoundsRefuseVoiceWithoutVoicesWithMessageForty) {
  speech.installed = false;
  settings("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n");
  create();
  ScriptedSounds dialog;
  dialog.script = [&] { dialog.voice = true; };
  soundssubmenuClick(dialog);
  EXPECT_EQ(boxes(), (std::vector<std::string>{"Can't allow voice, no voices are available"}));
  EXPECT_FALSE(dialog.voice);
  EXPECT_FALSE(voiceallowed);
  EXPECT_FALSE(menuEnabled(MenuItem::Voicesubmenu));
  EXPECT_FALSE(settingsFile().readBool("voice", "voiceallowed", true));
}

TEST_F(SettingsDialogsTest, SoundsAllowingVoiceStoresTheDefaultVoiceAnew) {
  settings("[voice]\nvoiceallowed=0\n[Voice]\nperson=English\nspeed=90\n");
  create();
  EXPECT_EQ(voicedialog.voicelist.count(), 0);
  EXPECT_FALSE(menuEnabled(MenuItem::Voicesubmenu));
  ScriptedSounds dialog;
  dialog.script = [&] { dialog.voice = true; };
  soundssubmenuClick(dialog);
  EXPECT_TRUE(voiceallowed);
  EXPECT_TRUE(menuEnabled(MenuItem::Voicesubmenu));
  EXPECT_EQ(voicedialog.voicelist.items(), (std::vector<std::string>{"Czech", "English"}));
  EXPECT_EQ(settingsFile().readString("Voice", "person", ""), "Czech");
  EXPECT_EQ(settingsFile().readInteger("Voice", "speed", 0), 175);
  EXPECT_EQ(settingsFile().readInteger("Voice", "pitch", 0), 50);
  EXPECT_EQ(settingsFile().readInteger("Voice", "volume", 0), 255);
  EXPECT_TRUE(settingsFile().readBool("voice", "voiceallowed", false));
}

TEST_F(SettingsDialogsTest, SoundsConfirmedWithSapi5InUseEnablesTheVoiceItem) {
  settings("[Voice]\nSAPI5=1\n");
  create();
  EXPECT_TRUE(sapi5inuse);
  EXPECT_FALSE(menuEnabled(MenuItem::Voicesubmenu));
  ScriptedSounds dialog;
  soundssubmenuClick(dialog);
  EXPECT_TRUE(menuEnabled(MenuItem::Voicesubmenu));
}

}  // namespace
}  // namespace drum::sessiontest
