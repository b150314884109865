#include "speech/realplatform.h"

#include "runtime/soundsystem.h"
#include "speech/espeakengine.h"
#include "speech/speechdvoice.h"

namespace drum {

namespace {

class RealSpeechPlatform : public SpeechPlatform {
 public:
  Status CreateAudioDestination(std::shared_ptr<IAudioMultiMediaDevice>& audio) override {
    audio = std::make_shared<MixerAudioDestination>(soundMixer);
    return Status::ok();
  }
  Status CreateEnumerator(std::shared_ptr<ITTSEnum>& enumerator) override {
    return createEspeakEnumerator(enumerator);
  }
  std::shared_ptr<ISpeechVoice> CreateVoice() override { return std::make_shared<SpeechdVoice>(); }
  std::shared_ptr<ISpeechVoice> CreateReaderVoice() override {
    return std::make_shared<SpeechdVoice>(SpeechdVoice::Priority::Important);
  }
};

}  // namespace

SpeechPlatform& realSpeechPlatform() {
  static RealSpeechPlatform platform;
  return platform;
}

}  // namespace drum
