// Choosing the voice, probing its attributes onto the bars, and the stored
// voice and values, on the scripted engines.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "shell/settings/resourcelocalizer.h"
#include "speechfixture.h"

namespace drum::testing {
namespace {

using VoiceSelection = SpeechTest;

IniFile& ini() { return settingsFile(); }

TEST_F(VoiceSelection, JakubInThirdPlaceIsChosen) {
  platform.modes = {{"a", "Anna"}, {"b", "Boris"}, {"j", "Jakub"}, {"k", "Jakub"}};
  InitSpeechEngines();
  VoiceDialogCreate();
  EXPECT_EQ(voicedialog.voicelist.items(), (std::vector<std::string>{"Anna", "Boris", "Jakub", "Jakub"}));
  EXPECT_EQ(voicedialog.voicelist.itemIndex(), 2);
  ASSERT_TRUE(chosenmode);
  EXPECT_EQ(chosenmode->gModeID, "j");
  EXPECT_FALSE(Sapi4EngineExists());  // chosen only; made at the next selection
  SelectVoice();
  EXPECT_EQ(engine().mode().id, "j");
}

TEST_F(VoiceSelection, WithoutJakubTheFirstVoiceIsChosenAndTheNameMustMatchExactly) {
  platform.modes = {{"a", "Anna"}, {"j", "jakub"}, {"m", "Jakub Mlady"}};
  InitSpeechEngines();
  VoiceDialogCreate();
  EXPECT_EQ(voicedialog.voicelist.itemIndex(), 0);
  EXPECT_EQ(chosenmode->gModeID, "a");
}

TEST_F(VoiceSelection, FillingAgainDoesNotListVoicesTwice) {
  InitSpeechEngines();
  VoiceDialogCreate();
  FillVoiceList();
  EXPECT_EQ(voicedialog.voicelist.count(), 3);
}

TEST_F(VoiceSelection, NoEnginesInstalledMeansNoListNoChoiceAndSilence) {
  log().failing["CreateEnumerator"] = "not registered";
  InitSpeechEngines();
  EXPECT_FALSE(ttsenum);
  VoiceDialogCreate();
  EXPECT_EQ(voicedialog.voicelist.count(), 0);
  SelectVoice();
  voicelistClick();
  EXPECT_FALSE(Sapi4EngineExists());
  EXPECT_FALSE(voiceready);
}

TEST_F(VoiceSelection, NoAudioDestinationMeansTheEnumeratorIsNotEvenTried) {
  log().failing["CreateAudioDestination"] = "no sound";
  InitSpeechEngines();
  EXPECT_FALSE(audiodestination);
  EXPECT_FALSE(ttsenum);
  EXPECT_EQ(log().count("CreateEnumerator"), 0);
}

TEST_F(VoiceSelection, AnEnumeratorWithoutModesChoosesNothing) {
  platform.modes.clear();
  InitSpeechEngines();
  VoiceDialogCreate();
  EXPECT_EQ(voicedialog.voicelist.itemIndex(), -1);
  SelectVoice();
  EXPECT_FALSE(Sapi4EngineExists());
  SaveVoiceSettings();
  EXPECT_EQ(ini().readString("Voice", "person", "?"), "");
}

TEST_F(VoiceSelection, SelectVoiceProbesTheRangesOntoTheBars) {
  startWithVoice();
  const auto& d = voicedialog;
  EXPECT_EQ(d.speedtb.min(), 80);
  EXPECT_EQ(d.speedtb.max(), 450);
  EXPECT_EQ(d.speedtb.position(), 175);
  EXPECT_EQ(d.speedtb.frequency(), 37);
  EXPECT_EQ(d.pitchtb.min(), 0);
  EXPECT_EQ(d.pitchtb.max(), 100);
  EXPECT_EQ(d.pitchtb.position(), 50);
  EXPECT_EQ(d.pitchtb.frequency(), 10);
  // Two 16-bit channels: the bar shows the left channel's high byte.
  EXPECT_EQ(d.volumetb.min(), 0);
  EXPECT_EQ(d.volumetb.max(), 255);
  EXPECT_EQ(d.volumetb.position(), 255);
  for (auto* bar : {&d.speedtb, &d.pitchtb, &d.volumetb}) EXPECT_TRUE(bar->enabled());
  for (auto* label : {&d.speedstatic, &d.pitchstatic, &d.volumestatic}) EXPECT_TRUE(label->enabled);
  EXPECT_TRUE(voiceready);
  EXPECT_TRUE(engine().registered());
  // The engine ends with the values the bars show.
  EXPECT_EQ(engine().mode().speed.value, 175u);
  EXPECT_EQ(engine().mode().pitch.value, 50u);
}

TEST_F(VoiceSelection, AnOddVolumeRangeShowsItsHighBytes) {
  platform.modes[0].volume = {true, 0x1000, 0x8000, 0x4321};
  startWithVoice();
  EXPECT_EQ(voicedialog.volumetb.min(), 0x10);
  EXPECT_EQ(voicedialog.volumetb.max(), 0x80);
  EXPECT_EQ(voicedialog.volumetb.position(), 0x43);
}

TEST_F(VoiceSelection, AnEngineWithoutSpeedKeepsTheDesignedBarAndGetsNoSpeedTag) {
  platform.modes[0].speed.implemented = false;
  startWithVoice();
  EXPECT_EQ(voicedialog.speedtb.min(), 0);
  EXPECT_EQ(voicedialog.speedtb.max(), 10);
  EXPECT_EQ(voicedialog.speedtb.position(), 0);
  EXPECT_EQ(log().count("Inject \\Spd="), 0);
  EXPECT_EQ(log().count("SpeedSet"), 0);
  EXPECT_TRUE(voicedialog.speedtb.enabled());
  EXPECT_GT(log().count("Inject \\Pit="), 0);
}

TEST_F(VoiceSelection, AProbedRangeLeavesTheEngineAtItsOwnValue) {
  platform.modes[0].speed = {true, 120, 300, 222};
  startWithVoice();
  EXPECT_EQ(engine().mode().speed.value, 222u);
  EXPECT_EQ(voicedialog.speedtb.position(), 222);
  EXPECT_EQ(voicedialog.speedtb.frequency(), 18);
}

TEST_F(VoiceSelection, ReselectingUnregistersFromTheOldEngine) {
  startWithVoice();
  auto* first = platform.current();
  voicedialog.voicelist.setItemIndex(2);
  voicelistClick();
  SelectVoice();
  EXPECT_FALSE(first->registered());
  EXPECT_EQ(engine().mode().id, "en");
  EXPECT_TRUE(engine().registered());
  EXPECT_EQ(log().count("UnRegister 1"), 1);
}

TEST_F(VoiceSelection, StoredVolume128SendsTag32768) {
  startWithVoice();
  ini().writeString("Voice", "person", "Slovak");
  ini().writeInteger("Voice", "volume", 128);
  log().calls.clear();
  LoadVoiceSettings();
  EXPECT_EQ(voicedialog.volumetb.position(), 128);
  EXPECT_EQ(log().matching("Inject \\Vol=").back(), "Inject \\Vol=32768\\");
  EXPECT_EQ(engine().mode().volume.value, 0x80008000u);
}

TEST_F(VoiceSelection, StoredValuesAreClampedByTheBars) {
  startWithVoice();
  ini().writeString("Voice", "person", "Czech");
  ini().writeInteger("Voice", "speed", 20);
  ini().writeInteger("Voice", "pitch", 1000);
  ini().writeInteger("Voice", "volume", -5);
  LoadVoiceSettings();
  EXPECT_EQ(engine().mode().id, "cs");
  EXPECT_EQ(voicedialog.speedtb.position(), 80);
  EXPECT_EQ(engine().mode().speed.value, 80u);
  EXPECT_EQ(voicedialog.pitchtb.position(), 100);
  EXPECT_EQ(voicedialog.volumetb.position(), 0);
  EXPECT_EQ(log().matching("Inject \\Vol=").back(), "Inject \\Vol=0\\");
}

// What a save cut short (or a hand edit) leaves: the engine's own values,
// never the slowest speech.
TEST_F(VoiceSelection, AVoiceStoredWithoutItsValuesKeepsTheEnginesOwn) {
  startWithVoice();
  const int pitch = voicedialog.pitchtb.position(), speed = voicedialog.speedtb.position();
  ini().write({{"Voice", "person", "English"}, {"Voice", "pitch", "5x"}});
  LoadVoiceSettings();
  EXPECT_EQ(voicedialog.pitchtb.position(), pitch);
  EXPECT_EQ(voicedialog.speedtb.position(), speed);
  EXPECT_NE(speed, voicedialog.speedtb.min());
  EXPECT_EQ(voicedialog.volumetb.position(), 255);
}

TEST_F(VoiceSelection, AStoredNameIsFoundRegardlessOfCase) {
  platform.modes = {{"a", "Anna"}, {"z", cp("Žofia Ľubá")}};
  startWithVoice();
  ini().writeString("Voice", "person", cp("žOFIA ľUBÁ"));
  LoadVoiceSettings();
  EXPECT_EQ(voicedialog.voicelist.itemIndex(), 1);
  EXPECT_EQ(engine().mode().id, "z");
}

TEST_F(VoiceSelection, AStoredVoiceThatIsNotInstalledEndsTheProcess) {
  startWithVoice();
  ini().writeString("Voice", "person", "Jakub");
  try {
    LoadVoiceSettings();
    FAIL() << "the process went on";
  } catch (const ProcessTerminated&) {
  }
  ASSERT_EQ(vhost.messageBoxes().size(), 1u);
  EXPECT_EQ(vhost.messageBoxes()[0], LocalString(43) + " Jakub");
  EXPECT_FALSE(LocalString(43).empty());
}

TEST_F(VoiceSelection, NothingStoredOrVoiceNotAllowedLoadsNothing) {
  startWithVoice();
  log().calls.clear();
  LoadVoiceSettings();
  ini().writeString("Voice", "person", "missing voice");
  voiceallowed = false;
  LoadVoiceSettings();
  EXPECT_TRUE(log().calls.empty());
  EXPECT_TRUE(vhost.messageBoxes().empty());
}

TEST_F(VoiceSelection, TheFirstStartStoresTheChosenVoiceWithTheEnginesOwnValues) {
  InitSpeechEngines();
  VoiceDialogCreate();
  SelectVoice();
  // One rewrite of the file: a kill leaves all four values or none.
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  const std::string folder = std::filesystem::path(ini().path()).parent_path().string();
  ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE), 0);
  SaveVoiceSettings();
  alignas(inotify_event) char events[4096];
  const ssize_t got = ::read(watch, events, sizeof events);
  ::close(watch);
  int renames = 0;
  for (ssize_t at = 0; at < got;) {
    const auto* e = reinterpret_cast<const inotify_event*>(events + at);
    renames += (e->mask & IN_MOVED_TO) != 0;
    at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
  }
  EXPECT_EQ(renames, 1);
  EXPECT_EQ(ini().readString("Voice", "person", ""), "Slovak");
  EXPECT_EQ(ini().readInteger("Voice", "speed", -1), 175);
  EXPECT_EQ(ini().readInteger("Voice", "pitch", -1), 50);
  EXPECT_EQ(ini().readInteger("Voice", "volume", -1), 255);
  LoadVoiceSettings();
  EXPECT_EQ(engine().mode().speed.value, 175u);
}

TEST_F(VoiceSelection, MovingABarWhileTheDialogIsActiveSilencesTagsAndSpeaks) {
  startWithVoice();
  voicedialog.isActiveWindow = [] { return true; };
  log().calls.clear();
  voicedialog.speedtb.setPosition(170);
  const std::vector<std::string> expected{"AudioReset", "Inject \\Spd=170\\", "TextData 170"};
  EXPECT_EQ(std::vector<std::string>(log().calls.begin(), log().calls.begin() + 3), expected);
  EXPECT_EQ(log().calls.back(), "-> AudioStop");  // and it waited until the number was said
  log().calls.clear();
  voicedialog.volumetb.setPosition(100);
  EXPECT_EQ(log().matching("Inject"), std::vector<std::string>{"Inject \\Vol=25600\\"});
  EXPECT_EQ(log().count("TextData 100"), 1);  // the position, not the tag value
}

TEST_F(VoiceSelection, MovingABarWhileTheDialogIsNotActiveOnlyTellsTheEngine) {
  startWithVoice();
  log().calls.clear();
  voicedialog.pitchtb.setPosition(30);
  EXPECT_EQ(log().calls, (std::vector<std::string>{"AudioReset", "Inject \\Pit=30\\"}));
  log().calls.clear();
  voicedialog.pitchtb.setPosition(30);  // no change, no handler
  EXPECT_TRUE(log().calls.empty());
}

TEST_F(VoiceSelection, BarsWithoutAnEngineOnlySpeak) {
  InitSpeechEngines();
  VoiceDialogCreate();
  voicedialog.isActiveWindow = [] { return true; };
  log().calls.clear();
  voicedialog.speedtb.setPosition(5);
  EXPECT_TRUE(log().calls.empty());  // no engine: nothing to silence, tag, or speak with
}

TEST_F(VoiceSelection, ClickingAVoiceInTheOpenDialogSpeaksItWithTheCurrentEngine) {
  startWithVoice();
  voicedialog.isActiveWindow = [] { return true; };
  log().calls.clear();
  voicedialog.voicelist.setItemIndex(1);
  voicelistClick();
  EXPECT_EQ(log().calls.front(), "AudioReset");
  EXPECT_EQ(log().count("TextData Czech"), 1);
  EXPECT_EQ(engine().mode().id, "sk");  // in effect only at the next selection
  EXPECT_EQ(chosenmode->gModeID, "cs");
}

TEST_F(VoiceSelection, FailuresOfCheckedCallsEndTheCommand) {
  startWithVoice();
  log().failing["Inject"] = "bad tag";
  EXPECT_THROW(voicedialog.speedtb.setPosition(300), Error);
  log().failing.clear();
  log().failing["Select"] = "engine broken";
  EXPECT_THROW(SelectVoice(), Error);
  EXPECT_FALSE(Sapi4EngineExists());
}

TEST_F(VoiceSelection, DialogCreationSetsCaptionsReadsTheSettingAndFillsSeparators) {
  languagebase = 2000;
  ini().writeBool("voice", "voiceallowed", false);
  InitSpeechEngines();
  VoiceDialogCreate();
  EXPECT_EQ(voicedialog.caption, LocalString(11));
  EXPECT_EQ(voicedialog.voicestatic.caption, LocalString(12));
  EXPECT_EQ(voicedialog.pitchstatic.caption, LocalString(13));
  EXPECT_EQ(voicedialog.speedstatic.caption, LocalString(14));
  EXPECT_EQ(voicedialog.volumestatic.caption, LocalString(15));
  EXPECT_EQ(voicedialog.vyberhlasbitbtn, LocalString(16));
  EXPECT_EQ(voicedialog.closebitbtn, LocalString(17));
  EXPECT_FALSE(voiceallowed);
  EXPECT_EQ(voicedialog.voicelist.count(), 0);
  EXPECT_EQ(wordseparators, (std::set<char>{'\r', ' ', ','}));
  EXPECT_EQ(log().count("SetEventInterests 33790"), 1);  // every event of the service
  EXPECT_TRUE(notifysink);
}

TEST_F(VoiceSelection, AServiceThatCannotConnectIsReportedOnceAndTheEngineStillWorks) {
  log().failing["SetEventInterests"] = "Speech Dispatcher cannot be reached";
  InitSpeechEngines();
  VoiceDialogCreate();
  EXPECT_EQ(vhost.errors(), std::vector<std::string>{"Speech Dispatcher cannot be reached"});
  EXPECT_EQ(voicedialog.voicelist.count(), 3);
  EXPECT_EQ(voicedialog.caption, LocalString(11));
  SelectVoice();
  log().calls.clear();
  SpeakText("funguje");
  EXPECT_EQ(log().calls.back(), "-> AudioStop");
}

TEST(TrackBar, KeepsItsPositionInsideItsRangeAndReportsRealChanges) {
  TrackBarModel bar(0, 10, 0);
  std::vector<int> changes;
  bar.onChange = [&] { changes.push_back(bar.position()); };
  bar.setMax(450);
  bar.setMin(80);
  bar.setPosition(175);
  bar.setPosition(175);
  bar.setPosition(1000);
  bar.setMax(300);
  bar.setMin(400);  // above the maximum: the maximum follows
  EXPECT_EQ(changes, (std::vector<int>{80, 175, 450, 300, 400}));
  EXPECT_EQ(bar.min(), 400);
  EXPECT_EQ(bar.max(), 400);
  bar.setMax(-5);  // below the minimum: the minimum follows
  EXPECT_EQ(bar.min(), -5);
  EXPECT_EQ(bar.position(), -5);
}

TEST(VoiceList, SelectsOnlyExistingEntries) {
  VoiceListModel list;
  int updates = 0;
  list.onUpdate = [&] { ++updates; };
  list.append("a");
  list.append("b");
  list.setItemIndex(1);
  EXPECT_EQ(list.selectedText(), "b");
  list.setItemIndex(7);
  EXPECT_EQ(list.itemIndex(), -1);
  EXPECT_EQ(list.selectedText(), "");
  list.setItemIndex(0);
  list.clear();
  EXPECT_EQ(list.itemIndex(), -1);
  EXPECT_EQ(updates, 6);
}

}  // namespace
}  // namespace drum::testing
