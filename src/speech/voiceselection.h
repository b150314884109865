// Choosing and preparing the in-process engine: the voices the enumerator
// lists, the chosen one made into the current engine, its speed, pitch and
// volume on the dialog's track bars, and the stored voice and values applied
// again before every run. Works on the dialog's models (speech/voicemodels.h).
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "speech/sapi.h"
#include "speech/voicemodels.h"

namespace drum {

// Engine state of the voice selection; the current engine itself is
// `sapi4engine` of the speech module.
extern std::shared_ptr<IAudioMultiMediaDevice> audiodestination;  // absent when not created
extern std::shared_ptr<ITTSEnum> ttsenum;                          // absent: no engines installed
extern std::optional<TTSMODEINFO> chosenmode;                      // picked in the voice list
extern std::shared_ptr<ITTSAttributes> ttsattributes;              // of the current engine
extern std::uint32_t registrationkey;                              // of the notification sink

// At the main window's creation: the audio destination and the enumerator;
// whatever cannot be created stays absent.
void InitSpeechEngines();

// The voice list refilled from the enumerator, "Jakub" or else the first
// voice selected and chosen.
void FillVoiceList();
// The list's selected entry becomes the chosen mode (and, while the dialog is
// active, silences the engine and says the entry).
void voicelistClick();
// The chosen mode becomes the current engine; the bars take its ranges and
// values and the notification sink is registered with it.
void SelectVoice();

// The section "voice" of the settings file: the voice and its three values.
void LoadVoiceSettings();  // a stored voice that is not installed ends the process
void SaveVoiceSettings();

// Change handlers of the bars: silence, tag to the engine, and the new value
// spoken while the dialog is active.
void speedtbChange();
void pitchtbChange();
void volumetbChange();

// The creation of the voice dialog: the speech service connected, the sink
// made, captions, the voice-allowed setting, the voice list, the word
// separators. A service that cannot be reached is reported once and the rest
// still runs, so the in-process engine is there.
void VoiceDialogCreate();

// The voice the settings file names when it is installed, else the one the
// voice list starts with; none without an enumerator.
std::optional<TTSMODEINFO> storedOrFirstMode();

// Drops the engine state above (the end of the process, tests).
void ReleaseSpeechEngines();

}  // namespace drum
