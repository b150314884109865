// The mixer driven by hand, with a command delay as on a real device.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "runtime/mixer.h"

namespace drum {
namespace {

// Speech handed over after a tone was stopped must not be heard before the
// tone's stop takes effect, although commands wait for the device's delay.
TEST(MixerOrder, SpeechAfterAStoppedToneStartsNoEarlierThanTheStop) {
  std::int64_t now = 0;
  Mixer mixer([&] { return now; });
  mixer.setCommandDelay(8000);  // 384 frames at 48 kHz

  auto tone = std::make_shared<SampleBuffer>();
  tone->rate = 48000;
  for (int i = 0; i < 48; ++i) tone->samples.push_back(static_cast<float>(0.5 * std::sin(2 * M_PI * i / 48)));
  const auto voice = mixer.addVoice(tone);
  std::int64_t blockStart = 0, speechBlock = -1;
  auto stream = mixer.openStream(48000, {[&](std::uint64_t) { speechBlock = blockStart; }, {}});

  std::vector<float> block(2 * 240);
  auto render = [&] {
    mixer.render(block.data(), 240, now);
    blockStart += 240;
    now += 5000;
  };
  render();
  mixer.start(voice, 48000, 0, true);
  for (int i = 0; i < 4; ++i) render();
  mixer.stop(voice);  // takes effect 384 frames from now
  const std::int64_t stopFrame = blockStart + 384;
  std::vector<std::int16_t> speech(4800, 8000);
  stream->push(speech.data(), speech.size());
  stream->endUtterance();
  for (int i = 0; i < 10; ++i) render();

  ASSERT_GE(speechBlock, 0) << "the speech was never played";
  // The block that holds the speech's first sample also holds the stop.
  EXPECT_LE(speechBlock, stopFrame);
  EXPECT_GT(speechBlock + 240, stopFrame);
}

// With nothing pending, a stream starts in the very next block.
TEST(MixerOrder, SpeechWithNothingPendingStartsAtOnce) {
  std::int64_t now = 0;
  Mixer mixer([&] { return now; });
  mixer.setCommandDelay(8000);
  auto stream = mixer.openStream(48000, {});
  std::vector<float> block(2 * 240);
  mixer.render(block.data(), 240, now);
  now += 5000;
  std::vector<std::int16_t> speech(480, 8000);
  stream->push(speech.data(), speech.size());
  stream->endUtterance();
  mixer.render(block.data(), 240, now);
  int loud = 0;
  for (int f = 0; f < 240; ++f) loud += std::fabs(block[2 * f]) > 0.05f;
  EXPECT_GT(loud, 200);
}

}  // namespace
}  // namespace drum
