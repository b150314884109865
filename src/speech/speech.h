// Everything the system says goes through here: printed text, messages, the
// names of typed characters. Texts are Windows-1250.
#pragma once
#include <string>

namespace drum {

void SpeakText(const std::string& text);        // speaks and waits until spoken
void SpeakTextNoWait(const std::string& text);  // speaks, returns at once
void StopSpeech();                              // cancels speech in progress

// Flags of the speech service's Speak.
constexpr unsigned SVSFlagsAsync = 1;
constexpr unsigned SVSFPurgeBeforeSpeak = 2;
constexpr unsigned SVSFIsXML = 8;

// For key echo: the two paths as SpeakText takes them, without its tests of
// the flags. Speak5 hands a text to the speech service; failures raise Error.
void Speak5(const std::string& text, unsigned flags);
bool Sapi4EngineExists();
// TextData on the current engine, then wait as SpeakText waits.
void TextDataAndWait(const std::string& text);

// Installs SpeakText as PRINT's speech and the enumerator question of
// LoadSettings.
void installSpeechHooks();

}  // namespace drum
