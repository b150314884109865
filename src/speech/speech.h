// Everything the system says goes through here: printed text, messages, the
// names of typed characters. Texts are Windows-1250.
//
// Two paths: the speech service (speech-dispatcher) when `sapi5inuse`, else
// the in-process engine that voice selection made current (espeak-ng), and
// only while `voiceallowed`. All of it runs on the UI thread; a wait for
// speech blocks in the event loop until the engine says it is done.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "speech/sapi.h"

namespace drum {

void SpeakText(const std::string& text);        // speaks and waits until spoken
void SpeakTextNoWait(const std::string& text);  // speaks, returns at once
void StopSpeech();                              // cancels speech in progress

// When the latest text was given to speech, on the host's clock (-1 before
// the first): a key pressed before it was not pressed to silence it.
std::int64_t latestTextAt();

// A window's own words (a dialog, a message box): as SpeakText, except that
// while no in-process engine has been chosen yet (before the first Start)
// the stand-in voice (speech/standin.h) speaks them rather than nobody.
void SpeakWindowText(const std::string& text);

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

// ---- State of the speech module ------------------------------------------------

// Set by the engine's AudioStart, cleared by its AudioStop.
extern bool sapi4speaking;
// Set before a waited utterance of the service and by StartStream; cleared by EndStream.
extern bool sapi5speaking;

// The current in-process engine; voice selection replaces it.
extern std::shared_ptr<ITTSCentral> sapi4engine;

// The notification sink registered with every engine voice selection makes.
class TTTSNotifySink : public ITTSNotifySink {
 public:
  void AttribChanged(std::uint32_t dwAttribute) override;
  void AudioStart(std::uint64_t qTimeStamp) override;
  void AudioStop(std::uint64_t qTimeStamp) override;
  void Visual(std::uint64_t qTimeStamp, char cIPAPhoneme, char cEnginePhoneme, std::uint32_t dwHints,
              const TTSMOUTH* pTTSMouth) override;
};
extern std::shared_ptr<TTTSNotifySink> notifysink;  // made with the voice dialog

// The speech service's voice, made on first use from the speech platform; its
// two handlers are attached to it.
ISpeechVoice& voice5();
void voice5StartStream(std::int32_t streamNumber);
void voice5EndStream(std::int32_t streamNumber);

// Forgets the engine of an earlier selection: what it was saying can no longer
// be waited for (voice selection calls this as it releases the engine).
void sapi4EngineReleased();

// Releases every engine, the sink and the service's voice and clears the
// speaking state; at the end of the process (and between tests).
void ReleaseSpeech();

}  // namespace drum
