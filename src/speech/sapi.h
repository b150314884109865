// The two speech platforms as the speech code sees them: the engine
// enumerator, engine, attributes and notification sink of the older speech
// API (here: espeak-ng in process), and the voice of the speech service (here:
// speech-dispatcher). The shapes follow what the speaking and voice selection
// algorithms ask of them; the real engines and the tests' scripted engine
// implement them.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace drum {

// ---- Results ---------------------------------------------------------------

// What an engine call answers: 0 is success, 1 success with nothing to give
// (the end of an enumeration), a code with the top bit set a failure.
inline constexpr std::uint32_t S_OK = 0;
inline constexpr std::uint32_t S_FALSE = 1;
inline constexpr std::uint32_t E_NOTIMPL = 0x80004001;
inline constexpr std::uint32_t E_FAIL = 0x80004005;

struct Status {
  std::uint32_t code = S_OK;
  std::string text;  // the engine's words for a failure, Windows-1250

  bool succeeded() const { return (code & 0x80000000u) == 0; }
  bool isNotImplemented() const { return code == E_NOTIMPL; }

  static Status ok() { return {}; }
  static Status none() { return {S_FALSE, {}}; }
  static Status notImplemented() { return {E_NOTIMPL, "Not implemented"}; }
  static Status failure(std::string text, std::uint32_t code = E_FAIL) { return {code, std::move(text)}; }
};

// A failed result becomes the error that ends the current command.
void check(const Status& status);

// ---- The in-process engines ---------------------------------------------

// The description of one engine mode; the user sees each mode as a voice.
struct TTSMODEINFO {
  std::string gModeID;     // identifies the mode to Select
  std::string szModeName;  // the voice's name as listed, Windows-1250
};

enum VOICECHARSET : std::uint32_t { CHARSET_TEXT = 0 };

// A block of text handed to TextData: the bytes including the terminating zero.
struct SDATA {
  const void* pData = nullptr;
  std::uint32_t dwSize = 0;
};

// Lip positions of a Visual notification (no engine here sends them).
struct TTSMOUTH {
  std::uint8_t bMouthHeight = 0, bMouthWidth = 0, bMouthUpturn = 0, bJawOpen = 0;
  std::uint8_t bTeethUpperVisible = 0, bTeethLowerVisible = 0, bTonguePosn = 0, bLipTension = 0;
};

// What an engine reports to whoever registered. Engines call it on the UI
// thread only (they post their notifications there).
class ITTSNotifySink {
 public:
  virtual ~ITTSNotifySink() = default;
  virtual void AttribChanged(std::uint32_t dwAttribute) = 0;
  virtual void AudioStart(std::uint64_t qTimeStamp) = 0;
  virtual void AudioStop(std::uint64_t qTimeStamp) = 0;
  virtual void Visual(std::uint64_t qTimeStamp, char cIPAPhoneme, char cEnginePhoneme, std::uint32_t dwHints,
                      const TTSMOUTH* pTTSMouth) = 0;
};

// Speed, pitch and volume of an engine. An engine that cannot change one of
// them answers E_NOTIMPL. Values outside the engine's range are clamped.
// Volume holds two 16-bit channels: left in the low half, right in the high.
class ITTSAttributes {
 public:
  virtual ~ITTSAttributes() = default;
  virtual Status SpeedGet(std::uint32_t& speed) = 0;
  virtual Status SpeedSet(std::uint32_t speed) = 0;
  virtual Status PitchGet(std::uint16_t& pitch) = 0;
  virtual Status PitchSet(std::uint16_t pitch) = 0;
  virtual Status VolumeGet(std::uint32_t& volume) = 0;
  virtual Status VolumeSet(std::uint32_t volume) = 0;
};

// One engine speaking one mode.
//
// Notifications: after every TextData the registered sinks get AudioStart when
// the first sample of the speech is played and AudioStop when the engine falls
// silent with nothing left to say: after the last sample, at once for a text
// that makes no sound, or after AudioReset. Consecutive texts play as one
// stretch of audio between one AudioStart and one AudioStop. An AudioStop is
// never delivered after a later TextData has been handed over, so it always
// means "silent now".
class ITTSCentral {
 public:
  virtual ~ITTSCentral() = default;
  // Queues the text (the bytes up to the first zero or dwSize); returns at once.
  virtual Status TextData(VOICECHARSET eCharacterSet, std::uint32_t dwFlags, SDATA dText) = 0;
  // Stops speaking and drops everything queued.
  virtual Status AudioReset() = 0;
  // A control tag such as "\Spd=170\" for the texts that follow.
  virtual Status Inject(std::string_view tag) = 0;
  virtual Status Register(std::shared_ptr<ITTSNotifySink> sink, std::uint32_t& key) = 0;
  virtual Status UnRegister(std::uint32_t key) = 0;
  // The engine's attribute interface.
  virtual Status QueryAttributes(std::shared_ptr<ITTSAttributes>& attributes) = 0;
};

// The sound output an engine speaks into; opaque to the speech code, which
// only hands it from its creation to the enumerator's Select.
class IAudioMultiMediaDevice {
 public:
  virtual ~IAudioMultiMediaDevice() = default;
};

// Lists the installed modes and turns one into an engine.
class ITTSEnum {
 public:
  virtual ~ITTSEnum() = default;
  virtual Status Reset() = 0;
  // The next mode, or S_FALSE and no mode at the end of the list.
  virtual Status Next(std::optional<TTSMODEINFO>& mode) = 0;
  virtual Status Select(const std::string& gModeID, std::shared_ptr<IAudioMultiMediaDevice> audio,
                        std::shared_ptr<ITTSCentral>& engine) = 0;
};

// ---- The speech service ------------------------------------------------------

inline constexpr std::uint32_t SVEStartInputStream = 2;
inline constexpr std::uint32_t SVEEndInputStream = 4;
inline constexpr std::uint32_t SVEAllEvents = 0x83FE;

// The service's voice. It connects to the service when its event interest is
// first set. Events are delivered on the UI thread, and only those in the
// event interest (at first: the start and end of a stream).
class ISpeechVoice {
 public:
  virtual ~ISpeechVoice() = default;
  virtual Status SetEventInterests(std::uint32_t interests) = 0;
  // flags: SVSFlagsAsync, SVSFPurgeBeforeSpeak, SVSFIsXML (speech/speech.h).
  virtual Status Speak(std::u16string_view text, std::uint32_t flags) = 0;

  std::function<void(std::int32_t streamNumber)> OnStartStream;
  std::function<void(std::int32_t streamNumber)> OnEndStream;
};

// ---- Where the engines come from ---------------------------------------------

class SpeechPlatform {
 public:
  virtual ~SpeechPlatform() = default;
  virtual Status CreateAudioDestination(std::shared_ptr<IAudioMultiMediaDevice>& audio) = 0;
  virtual Status CreateEnumerator(std::shared_ptr<ITTSEnum>& enumerator) = 0;
  // A voice of the speech service, not yet connected.
  virtual std::shared_ptr<ISpeechVoice> CreateVoice() = 0;
  // The voice we speak with while a screen reader speaks on the same
  // service: it takes turns with the reader's voice, cutting short what the
  // reader is saying and holding back what it says next until it is done.
  virtual std::shared_ptr<ISpeechVoice> CreateReaderVoice() { return CreateVoice(); }
};

// The platform in force: the real engines unless another was installed
// (tests, the virtual mode of drumrun). Not owned.
SpeechPlatform& speechPlatform();
void setSpeechPlatform(SpeechPlatform* platform);

}  // namespace drum
