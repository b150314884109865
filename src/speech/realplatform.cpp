#include "speech/realplatform.h"

#include "platform/cp1250.h"
#include "platform/screenreader.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "speech/espeakengine.h"
#include "speech/speechdvoice.h"
#include "speech/standin.h"

namespace drum {

namespace {

// Said once when the service answers again after a loss, in the interface
// language, so the service's voice reads it as it reads the game.
std::u16string backNotice() {
  switch (languagebase) {
    case 1000: return cp1250ToUtf16(cp("Řeč je zpět."));
    case 3000: return cp1250ToUtf16(cp("Reč je späť."));
    default: return cp1250ToUtf16(cp("Speech is back."));
  }
}

class RealSpeechPlatform : public SpeechPlatform {
 public:
  // The sound output is opened here, with the engines, not at the end of
  // start-up: the engines speak whatever a later start-up step reports.
  Status CreateAudioDestination(std::shared_ptr<IAudioMultiMediaDevice>& audio) override {
    openSoundOutput();
    audio = std::make_shared<MixerAudioDestination>(soundMixer);
    return Status::ok();
  }
  Status CreateEnumerator(std::shared_ptr<ITTSEnum>& enumerator) override {
    return createEspeakEnumerator(enumerator);
  }
  std::shared_ptr<ISpeechVoice> CreateVoice() override {
    auto voice = std::make_shared<SpeechdVoice>();
    voice->inUse = [] { return sapi5inuse; };
    voice->backNotice = backNotice;
    // While the service cannot be had, the in-process voice speaks for it.
    voice->standIn = [](const std::string& text, std::function<void()> done) {
      return standin::speak(utf8ToCp1250(text), std::move(done));
    };
    voice->standInStop = standin::stop;
    voice->standInReady = standin::ready;
    return voice;
  }
  // The voice that speaks beside a screen reader, through the reader's service.
  std::shared_ptr<ISpeechVoice> CreateReaderVoice() override {
    auto voice = std::make_shared<SpeechdVoice>(SpeechdVoice::Priority::Important);
    voice->inUse = [] { return screenReaderRunning(); };
    voice->backNotice = backNotice;
    return voice;
  }
};

}  // namespace

SpeechPlatform& realSpeechPlatform() {
  static RealSpeechPlatform platform;
  return platform;
}

}  // namespace drum
