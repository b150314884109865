// The browser's two voices: espeak-ng compiled in, speaking into the mixer
// (the game's own voice), and the player's screen reader through the page's
// live region, where the desktop has the speech service.
#include "liveregion.h"
#include "runtime/soundsystem.h"
#include "speech/espeakengine.h"
#include "speech/realplatform.h"

namespace drum {
namespace {

class WebSpeechPlatform : public SpeechPlatform {
 public:
  Status CreateAudioDestination(std::shared_ptr<IAudioMultiMediaDevice>& audio) override {
    openSoundOutput();
    audio = std::make_shared<MixerAudioDestination>(soundMixer);
    return Status::ok();
  }
  Status CreateEnumerator(std::shared_ptr<ITTSEnum>& enumerator) override {
    return createEspeakEnumerator(enumerator);
  }
  std::shared_ptr<ISpeechVoice> CreateVoice() override { return std::make_shared<LiveRegionVoice>(); }
};

}  // namespace

SpeechPlatform& realSpeechPlatform() {
  static WebSpeechPlatform platform;
  return platform;
}

}  // namespace drum
