#include "speech/voiceselection.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/userfile.h"
#include "platform/host.h"
#include "platform/screenreader.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speech.h"

namespace drum {

std::shared_ptr<IAudioMultiMediaDevice> audiodestination;
std::shared_ptr<ITTSEnum> ttsenum;
std::optional<TTSMODEINFO> chosenmode;
std::shared_ptr<ITTSAttributes> ttsattributes;
std::uint32_t registrationkey = 0;

namespace {

int clampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The probe of one attribute: nothing when the engine answers "not
// implemented" to reading it or to setting it to what it read; otherwise its
// range, found by setting the smallest and the largest value (the engine
// clamps), and the engine left at its current value. Other failures are not
// tested, as the engine has no better answer for a bar.
template <typename T, typename Get, typename Set>
bool probe(Get get, Set set, T& current, T& minimum, T& maximum) {
  current = minimum = maximum = 0;
  if (get(current).isNotImplemented() || set(current).isNotImplemented()) return false;
  set(T{0});
  get(minimum);
  set(std::numeric_limits<T>::max());
  get(maximum);
  set(current);
  return true;
}

void injectTag(const char* name, std::int64_t value) {
  check(sapi4engine->Inject("\\" + std::string(name) + "=" + std::to_string(value) + "\\"));
}

// A bar's change: the engine silenced and told the new value, which is then
// spoken while the dialog is active.
void barChanged(const TrackBarModel& bar, const char* tag, std::int64_t value) {
  if (sapi4engine) {
    check(sapi4engine->AudioReset());
    injectTag(tag, value);
  }
  // A screen reader says the value of the bar it has the focus on.
  if (voicedialog.active() && !screenReaderRunning()) SpeakText(std::to_string(bar.position()));
}

}  // namespace

void InitSpeechEngines() {
  if (sapi4engine) sapi4EngineReleased();
  sapi4engine.reset();
  ttsattributes.reset();
  audiodestination.reset();
  ttsenum.reset();
  chosenmode.reset();
  registrationkey = 0;

  std::shared_ptr<IAudioMultiMediaDevice> audio;
  if (!speechPlatform().CreateAudioDestination(audio).succeeded() || !audio) return;
  audiodestination = audio;
  std::shared_ptr<ITTSEnum> enumerator;
  if (speechPlatform().CreateEnumerator(enumerator).succeeded()) ttsenum = enumerator;
}

void FillVoiceList() {
  if (!ttsenum) return;
  check(ttsenum->Reset());
  // Emptied first, so that allowing voice anew does not list every voice twice.
  VoiceListModel& list = voicedialog.voicelist;
  list.clear();
  for (;;) {
    std::optional<TTSMODEINFO> mode;
    check(ttsenum->Next(mode));
    if (!mode) break;
    list.append(mode->szModeName);
  }
  if (list.count() == 0) return;
  const auto& items = list.items();
  const auto jakub = std::find(items.begin(), items.end(), "Jakub");
  list.setItemIndex(jakub == items.end() ? 0 : static_cast<int>(jakub - items.begin()));
  voicelistClick();
}

void voicelistClick() {
  const VoiceListModel& list = voicedialog.voicelist;
  if (!ttsenum || list.itemIndex() < 0) return;
  if (voicedialog.active() && sapi4engine) check(sapi4engine->AudioReset());

  check(ttsenum->Reset());
  std::optional<TTSMODEINFO> fetched;
  for (int i = 0; i <= list.itemIndex(); ++i) {
    std::optional<TTSMODEINFO> mode;
    check(ttsenum->Next(mode));
    if (!mode) break;
    fetched = std::move(mode);
  }
  if (fetched) chosenmode = std::move(fetched);

  if (voicedialog.active() && !screenReaderRunning()) SpeakText(list.selectedText());
}

void SelectVoice() {
  if (!chosenmode || !ttsenum) return;
  if (voiceready && sapi4engine) check(sapi4engine->UnRegister(registrationkey));

  ttsattributes.reset();
  if (sapi4engine) sapi4EngineReleased();
  sapi4engine.reset();

  std::shared_ptr<ITTSCentral> engine;
  check(ttsenum->Select(chosenmode->gModeID, audiodestination, engine));
  if (!engine) throw Error("The speech engine could not be created");
  sapi4engine = engine;
  voiceready = true;

  std::shared_ptr<ITTSAttributes> attributes;
  check(sapi4engine->QueryAttributes(attributes));
  if (!attributes) throw Error("The speech engine has no attributes");
  ttsattributes = attributes;
  ITTSAttributes& a = *attributes;

  std::uint32_t speed, speedmin, speedmax;
  if (probe(
          [&](std::uint32_t& v) { return a.SpeedGet(v); }, [&](std::uint32_t v) { return a.SpeedSet(v); }, speed,
          speedmin, speedmax)) {
    TrackBarModel& bar = voicedialog.speedtb;
    bar.setMax(static_cast<std::int32_t>(speedmax));
    bar.setMin(static_cast<std::int32_t>(speedmin));
    bar.setPosition(static_cast<std::int32_t>(speed));
    bar.setFrequency(static_cast<std::int32_t>((speedmax - speedmin) / 10u));
  }

  std::uint16_t pitch, pitchmin, pitchmax;
  if (probe(
          [&](std::uint16_t& v) { return a.PitchGet(v); }, [&](std::uint16_t v) { return a.PitchSet(v); }, pitch,
          pitchmin, pitchmax)) {
    TrackBarModel& bar = voicedialog.pitchtb;
    bar.setMax(pitchmax);
    bar.setMin(pitchmin);
    bar.setPosition(pitch);
    bar.setFrequency((pitchmax - pitchmin) / 10);
  }

  std::uint32_t volume, volumemin, volumemax;
  if (probe(
          [&](std::uint32_t& v) { return a.VolumeGet(v); }, [&](std::uint32_t v) { return a.VolumeSet(v); }, volume,
          volumemin, volumemax)) {
    // The left channel's high byte: 0 to 255 for the usual 16-bit channels.
    const auto highbyte = [](std::uint32_t v) { return static_cast<int>((v >> 8) & 0xFF); };
    TrackBarModel& bar = voicedialog.volumetb;
    bar.setMax(highbyte(volumemax));
    bar.setMin(highbyte(volumemin));
    bar.setPosition(highbyte(volume));
  }

  for (TrackBarModel* bar : {&voicedialog.speedtb, &voicedialog.pitchtb, &voicedialog.volumetb}) bar->setEnabled(true);
  for (LabelModel* label : {&voicedialog.speedstatic, &voicedialog.pitchstatic, &voicedialog.volumestatic})
    label->enabled = true;

  if (notifysink) check(sapi4engine->Register(notifysink, registrationkey));
}

void speedtbChange() { barChanged(voicedialog.speedtb, "Spd", voicedialog.speedtb.position()); }

void pitchtbChange() { barChanged(voicedialog.pitchtb, "Pit", voicedialog.pitchtb.position()); }

void volumetbChange() {
  barChanged(voicedialog.volumetb, "Vol", static_cast<std::int64_t>(voicedialog.volumetb.position()) * 256);
}

void SaveVoiceSettings() {
  settingsFile().write({{"Voice", "person", voicedialog.voicelist.selectedText()},
                        {"Voice", "pitch", std::to_string(voicedialog.pitchtb.position())},
                        {"Voice", "speed", std::to_string(voicedialog.speedtb.position())},
                        {"Voice", "volume", std::to_string(voicedialog.volumetb.position())}});
}

void LoadVoiceSettings() {
  if (!voiceallowed) return;
  IniFile& ini = settingsFile();
  const std::string person = ini.readString("Voice", "person", "");
  if (person.empty()) return;

  VoiceListModel& list = voicedialog.voicelist;
  const auto& items = list.items();
  const auto found = std::find_if(items.begin(), items.end(), [&](const std::string& s) { return cp1250SameText(s, person); });
  if (found == items.end()) {
    host().messageBox(LocalString(43) + " " + person);
    host().terminate(1);
  }
  list.setItemIndex(static_cast<int>(found - items.begin()));
  voicelistClick();
  SelectVoice();

  // A value missing or damaged keeps the engine's own, which SelectVoice
  // has just put on the bar: 0 would be the slowest speech there is.
  voicedialog.pitchtb.setPosition(clampToInt(ini.readInteger("Voice", "pitch", voicedialog.pitchtb.position())));
  voicedialog.speedtb.setPosition(clampToInt(ini.readInteger("Voice", "speed", voicedialog.speedtb.position())));
  voicedialog.volumetb.setPosition(clampToInt(ini.readInteger("Voice", "volume", 255)));
}

void VoiceDialogCreate() {
  try {
    check(voice5().SetEventInterests(SVEAllEvents));
  } catch (const Error& e) {
    // Without the service the in-process engine must still work: report the
    // failure once and go on with the other steps.
    host().reportError(e.what());
  }
  notifysink = std::make_shared<TTTSNotifySink>();

  voicedialog.caption = LocalString(11);
  voicedialog.voicestatic.caption = LocalString(12);
  voicedialog.pitchstatic.caption = LocalString(13);
  voicedialog.speedstatic.caption = LocalString(14);
  voicedialog.volumestatic.caption = LocalString(15);
  voicedialog.vyberhlasbitbtn = LocalString(16);
  voicedialog.closebitbtn = LocalString(17);

  try {
    voiceallowed = settingsFile().readBool("voice", "voiceallowed", true);
  } catch (const FileError&) {
    // A settings file that cannot be read was told of by the start-up,
    // which left the value a missing file gives.
  }
  if (voiceallowed) FillVoiceList();

  wordseparators = {'\r', ' ', ','};
}

std::optional<TTSMODEINFO> storedOrFirstMode() {
  if (!ttsenum) return std::nullopt;
  std::string person;
  try {
    person = settingsFile().readString("Voice", "person", "");
  } catch (const Error&) {
    // An unreadable settings file is reported where it is read for good.
  }
  std::vector<TTSMODEINFO> modes;
  if (!ttsenum->Reset().succeeded()) return std::nullopt;
  for (;;) {
    std::optional<TTSMODEINFO> mode;
    if (!ttsenum->Next(mode).succeeded() || !mode) break;
    modes.push_back(std::move(*mode));
  }
  const auto named = [&](const std::string& name) {
    return std::find_if(modes.begin(), modes.end(), [&](const TTSMODEINFO& m) { return cp1250SameText(m.szModeName, name); });
  };
  if (auto m = named(person); !person.empty() && m != modes.end()) return *m;
  if (auto m = named("Jakub"); m != modes.end()) return *m;
  if (modes.empty()) return std::nullopt;
  return modes.front();
}

void ReleaseSpeechEngines() {
  if (sapi4engine) {
    if (notifysink) sapi4engine->UnRegister(registrationkey);
    sapi4EngineReleased();
  }
  sapi4engine.reset();
  ttsattributes.reset();
  ttsenum.reset();
  audiodestination.reset();
  chosenmode.reset();
  registrationkey = 0;
}

}  // namespace drum
