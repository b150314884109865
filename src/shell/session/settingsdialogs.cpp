#include "shell/session/settingsdialogs.h"

#include <algorithm>
#include <cstdint>

#include "platform/host.h"
#include "platform/screenreader.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"
#include "shell/session/startup.h"
#include "speech/speech.h"
#include "speech/voiceselection.h"

namespace drum {

std::vector<LanguageEntry> languages;

// ---- Voice --------------------------------------------------------------------

void VoicesubmenuClick(SettingsDialog& dialog) {
  if (!voiceallowed) {
    host().messageBox(LocalString(18));
    return;
  }
  if (!voiceready) {
    SelectVoice();
    SaveVoiceSettings();
  }
  LoadVoiceSettings();
  if (dialog.showModal()) {
    SaveVoiceSettings();
    LoadVoiceSettings();  // the newly chosen voice becomes the engine
    SpeakText(LocalString(19));
  } else if (!screenReaderRunning()) {
    // A screen reader names the window the focus comes back to.
    SpeakText(mainCaption());
  }
}

// ---- Environment --------------------------------------------------------------------

EnvironmentCaptions environmentCaptions() { return {LocalString(10), LocalString(9), LocalString(7), LocalString(8)}; }

void EnvironmentFormCreate(EnvironmentDialog& dialog) {
  TResourceLocalizer::FillLanguageList(languages);
  dialog.setEntries(languages);
  dialog.setItemIndex(0);
  TResourceLocalizer::ReadLanguage();
}

void languagergroupClick(int index) {
  if (index < 0 || index >= static_cast<int>(languages.size())) return;
  languagebase = languages[static_cast<std::size_t>(index)].base;
}

void environmentsubmenuClick(EnvironmentDialog& dialog) {
  const int base = languagebase;
  dialog.setItemIndex(languagebase / 1000 - 1);
  const int remembered = dialog.itemindex();
  if (dialog.showModal()) {
    TResourceLocalizer::WriteLanguage();
    if (dialog.itemindex() != remembered) host().messageBox(LocalString(6));
    return;
  }
  // A language clicked and then cancelled is not kept: the entry and the
  // texts go back to the language the dialog opened with.
  dialog.setItemIndex(remembered);
  languagebase = base;
}

// ---- Sounds --------------------------------------------------------------------------

int volumePosition(int volume) { return static_cast<int>((static_cast<std::int64_t>(volume) + 10000) / 100); }

int volumeFromPosition(int position) { return position * 100 - 10000; }

void sndvoltrackbarChange(int position, bool dialogactive) {
  sndvolume = volumeFromPosition(position);
  if (dialogactive) sound({1000}, 100, 1);
}

void soundssubmenuClick(SoundsDialog& dialog) {
  dialog.setVoiceChecked(voiceallowed);
  dialog.setSoundsChecked(oskirasounds);
  dialog.setVolumePosition(volumePosition(sndvolume));
  dialog.setVolumeEnabled(oskirasounds);
  const int remembered = sndvolume;
  if (!dialog.showModal()) {
    sndvolume = remembered;
    return;
  }
  if (dialog.voiceChecked() && !voiceallowed) {
    if (ttsenum) {
      FillVoiceList();
      SelectVoice();
      SaveVoiceSettings();
    } else {
      dialog.setVoiceChecked(false);
      host().messageBox(LocalString(40));
    }
  }
  voiceallowed = dialog.voiceChecked();
  setMenuEnabled(MenuItem::Voicesubmenu, voiceallowed);
  oskirasounds = dialog.soundsChecked();
  TResourceLocalizer::SaveSettings();
}

}  // namespace drum
