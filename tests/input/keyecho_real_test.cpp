// SpeakKey with the real in-process engine (espeak-ng), the real clock and the
// real sound output: the capital tone, then the shipped Czech words, and
// SpeakKey returns once they have been played.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "input/brailletables.h"
#include "input/keyecho.h"
#include "platform/cp1250.h"
#include "platform/realhost.h"
#include "runtime/soundbank.h"
#include "runtime/soundfixture.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "speech/realplatform.h"
#include "speech/speech.h"

namespace drum {
namespace {

TEST(KeyEchoOnTheRealEngine, CapitalToneThenTheCzechWordsThenItReturns) {
  RealHost real;
  setHost(&real);
  initSound(false);
  std::vector<SoundItem> items;
  items.push_back(toneItem("snd11"));  // position 1, voice 1: the capital tone
  soundbank.assign(std::move(items));
  std::mutex lock;
  std::vector<float> recorded;  // left channel, 48,000 frames a second
  soundMixer()->setTap([&](const float* stereo, int frames) {
    std::lock_guard guard(lock);
    for (int f = 0; f < frames; ++f) recorded.push_back(stereo[2 * f]);
  });

  // espeak-ng's Czech voice, as voice selection makes an engine of it.
  std::shared_ptr<IAudioMultiMediaDevice> audio;
  std::shared_ptr<ITTSEnum> modes;
  check(realSpeechPlatform().CreateAudioDestination(audio));
  check(realSpeechPlatform().CreateEnumerator(modes));
  std::optional<TTSMODEINFO> mode, czech;
  check(modes->Reset());
  while (modes->Next(mode).code == S_OK && mode)
    if (!czech && mode->szModeName.find("Czech") != std::string::npos) czech = mode;
  ASSERT_TRUE(czech) << "espeak-ng has no Czech voice";
  std::shared_ptr<ITTSCentral> engine;
  check(modes->Select(czech->gModeID, audio, engine));
  notifysink = std::make_shared<TTTSNotifySink>();
  std::uint32_t key = 0;
  check(engine->Register(notifysink, key));
  sapi4engine = engine;

  keyfile = std::string(DRUM_SOURCE_DIR) + "/data/czech.eky";
  LoadKeyFile();
  voiceready = true;
  sapi5inuse = false;
  oskirasounds = true;
  sndvolume = 0;

  // A sound server can take a while to start pulling frames from a new
  // output; a 20 ms tone played before that would never be rendered.
  for (int i = 0; i < 500 && soundMixer()->framesRendered() < 4800; ++i) real.waitForEvents(Millis(10));
  ASSERT_GE(soundMixer()->framesRendered(), 4800) << "the sound output does not run";

  SpeakKey(cp("Ř"));
  EXPECT_FALSE(sapi4speaking);

  std::vector<float> heard;
  {
    std::lock_guard guard(lock);
    heard = recorded;
  }
  // The tone comes first: 2000 Hz. (How many frames of it a real device
  // renders in its 20 ms depends on the device's blocks; the virtual device's
  // test measures that.)
  std::size_t first = 0;
  while (first < heard.size() && std::fabs(heard[first]) < 0.05) ++first;
  ASSERT_LT(first + 960, heard.size()) << "nothing was played";
  int rising = 0;
  for (std::size_t i = first + 24; i < first + 264; ++i) rising += heard[i - 1] < 0 && heard[i] >= 0;
  EXPECT_NEAR(rising, 10, 1);
  // Then the words, which take far longer than the tone.
  double speech = 0;
  for (std::size_t i = first + 960 + 480; i < heard.size(); ++i) speech += heard[i] * heard[i];
  EXPECT_GT(speech, 1.0) << "the engine said nothing after the tone";

  ReleaseSpeech();
  releaseSound();
  voiceready = false;
  echokeys.fill({});
  setHost(nullptr);
}

}  // namespace
}  // namespace drum
