// The mixer driven by hand, with a command delay as on a real device; its
// rendering thread, which must neither allocate nor run callbacks; and looped
// starts on the virtual audio device.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "allocationcount.h"
#include "platform/audiooutput.h"
#include "platform/realhost.h"
#include "runtime/mixer.h"
#include "soundfixture.h"

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

// Speech handed over behind a queued tone before the output's first request
// (on a clock far from zero, as the real one is) still waits only for the tone.
TEST(MixerOrder, SpeechBeforeTheFirstRequestWaitsOnlyForTheCommandsBeforeIt) {
  std::int64_t now = 3'600'000'000;  // an hour after the clock's origin
  Mixer mixer([&] { return now; });
  mixer.setCommandDelay(8000);
  auto tone = std::make_shared<SampleBuffer>();
  tone->rate = 48000;
  tone->samples.assign(48, 0.25f);
  const auto voice = mixer.addVoice(tone);
  std::int64_t blockStart = 0, speechBlock = -1;
  auto stream = mixer.openStream(48000, {[&](std::uint64_t) { speechBlock = blockStart; }, {}});
  mixer.start(voice, 0, 0, true);
  mixer.stop(voice);
  std::vector<std::int16_t> speech(4800, 8000);
  stream->push(speech.data(), speech.size());
  stream->endUtterance();
  std::vector<float> block(2 * 240);
  for (int i = 0; i < 10; ++i) {
    mixer.render(block.data(), 240, now);
    blockStart += 240;
    now += 5000;
  }
  ASSERT_GE(speechBlock, 0) << "the speech was held";
  EXPECT_LE(speechBlock, 480);  // the stop's frame: 8 ms after the first request
}

// ---- The frame clock ------------------------------------------------------------

// The device driven by hand at its own pace: a request of 240 frames every
// 5 ms, from `line` on; a sound server held up loses time, after which every
// request comes that much later.
struct PacedDevice {
  explicit PacedDevice(Mixer& m) : mixer(m) {}
  Mixer& mixer;
  std::int64_t now = 0, line = 0, frames = 0, requestAt = 0;
  std::vector<float> block = std::vector<float>(2 * 240);
  void request(std::int64_t late = 0) {
    now = requestAt = line + frames * 1000000 / Mixer::kRate + late;
    mixer.render(block.data(), 240, now);
    frames += 240;
  }
  bool loud() const {
    return std::any_of(block.begin(), block.end(), [](float x) { return std::fabs(x) > 0.05f; });
  }
};

// The game's key wait clicks on every pass; a letter spoken after a key waits
// for the click's command. Time the device lost a while ago (ten stalls of
// 15 ms, each under the jump the clock takes whole) must delay neither: both
// take effect one command delay after they are given.
TEST(MixerClock, TimeTheDeviceLostDelaysNothingGivenAfterIt) {
  std::int64_t now = 0;
  Mixer mixer([&] { return now; });
  mixer.setCommandDelay(8000);
  PacedDevice device(mixer);
  auto click = std::make_shared<SampleBuffer>();
  click->rate = 48000;
  click->samples.assign(480, 0.25f);  // 10 ms
  const auto voice = mixer.addVoice(click);
  std::int64_t speechAt = -1;
  auto stream = mixer.openStream(48000, {[&](std::uint64_t) { speechAt = device.requestAt; }, {}});
  const auto run = [&](int requests) {
    for (int i = 0; i < requests; ++i) device.request(), now = device.now;
  };
  for (int stall = 0; stall < 10; ++stall) {
    run(30);
    mixer.start(voice, 0, 0, false);
    device.line += 15000;
  }
  run(30);

  mixer.start(voice, 0, 0, false);
  const std::int64_t clickAt = now;
  std::int64_t heardAt = -1;
  for (int i = 0; i < 20 && heardAt < 0; ++i) {
    run(1);
    if (device.loud()) heardAt = device.requestAt;
  }
  ASSERT_GE(heardAt, 0) << "the click was never played";
  EXPECT_LE(heardAt - clickAt, 8000);  // the block that holds the command's frame

  run(4);
  mixer.start(voice, 0, 0, false);  // the next pass's click, then the letter
  const std::int64_t handedAt = now;
  std::vector<std::int16_t> speech(2400, 8000);
  stream->push(speech.data(), speech.size());
  stream->endUtterance();
  run(20);
  ASSERT_GE(speechAt, 0) << "the speech was never played";
  EXPECT_LE(speechAt - handedAt, 8000);
}

// Requests that come late while nothing is lost (the device still had
// frames) leave the clock alone: a tone lasts what its commands say.
TEST(MixerClock, LateRequestsWithoutLossKeepToneLengths) {
  std::int64_t now = 0;
  Mixer mixer([&] { return now; });
  mixer.setCommandDelay(8000);
  PacedDevice device(mixer);
  auto tone = std::make_shared<SampleBuffer>();
  tone->rate = 48000;
  for (int i = 0; i < 48; ++i) tone->samples.push_back(static_cast<float>(0.5 * std::sin(2 * M_PI * i / 48)));
  const auto voice = mixer.addVoice(tone);
  std::uint32_t seed = 12345;
  const auto late = [&] {  // 0 .. 3 ms, the jitter the command delay leaves room for; now and then 6 ms
    seed = seed * 1664525u + 1013904223u;
    const std::int64_t l = (seed >> 8) % 3000;
    return (seed >> 4) % 50 == 0 ? 2 * l : l;
  };
  std::int64_t loudFrames = 0;
  const auto run = [&](int requests) {
    for (int i = 0; i < requests; ++i) {
      device.request(late());
      now = device.line + device.frames * 1000000 / Mixer::kRate;  // commands come on time
      for (int f = 0; f < 240; ++f) loudFrames += std::fabs(device.block[2 * f]) > 0.01f;
    }
  };
  run(400);
  for (int n = 0; n < 20; ++n) {
    loudFrames = 0;
    mixer.start(voice, 0, 0, true);
    run(20);  // 100 ms
    mixer.stop(voice);
    run(20);
    // 4,800 frames, give or take the start's ramp and the stop's fade (2 ms each).
    EXPECT_NEAR(loudFrames, 4800, 96) << "tone " << n;
  }
}

// ---- Looped starts ------------------------------------------------------------

// A looped start begins in a filter state prepared by the thread that starts
// it; what is heard must be what the mixer has always played, to the sample:
// the ramp, the settled high-pass (which a 30 Hz tone shows most) and the stop.
TEST_F(SoundTest, LoopedTonesSoundAsTheyAlwaysHave) {
  sound({440, 30}, 12, 1);
  clock.sleep(Millis(3));
  const double expected[] = {
      0, 0.046457544, 0.108989105, 0.135924518, 0.0899506435, -0.0207297895, -0.138099387, -0.183061495,
      -0.102332182, 0.0818015262, 0.252942681, 0.326660901, 0.263279706, 0.086038202, -0.129554704,
      -0.290329605, -0.328287154, -0.231704265, -0.0505508594, 0.126459777, 0.212616161, 0.162981942,
      -0.00489787245, -0.21911931, -0.386335611, -0.434652269, -0.346610337, -0.16710569, 0.0171267074,
      0.117372014, 0.0836691558, -0.0722749978, -0.282424182, -0.453625619, -0.510403275, -0.429533213,
      -0.250784665, -0.0585112497, 0.0568926036, 0.0406265818, -0.101456523, -0.305468917, -0.478818774,
      -0.542775512, -0.468454212, -0.290293485, -0.0899491236, 0.0408334509, 0.0426539108, -0.0701597482,
      -0.203263283, -0.273176372, -0.247204095, -0.151372999, -0.0447842218, 0.0215970315};
  ASSERT_GE(recorded.size(), 672u);
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_NEAR(recorded[12 * i], expected[i], 1e-6) << "frame " << 12 * i;
}

// The same for a stereo loop started in the middle of a device buffer and
// sped up while it sounds.
TEST(MixerPreroll, StereoLoopStartedMidBufferSoundsAsItAlwaysHas) {
  std::int64_t now = 0;
  Mixer mixer([&] { return now; });
  mixer.setCommandDelay(8000);
  auto buffer = std::make_shared<SampleBuffer>();
  buffer->rate = 22050;
  buffer->channels = 2;
  for (int i = 0; i < 100; ++i) {
    buffer->samples.push_back(static_cast<float>(0.4 * std::sin(2 * M_PI * i / 100)));
    buffer->samples.push_back(static_cast<float>(0.3 * std::sin(2 * M_PI * 3 * i / 100) + 0.1));
  }
  const auto voice = mixer.addVoice(buffer);
  std::vector<float> out, block(2 * 256);
  for (int b = 0; b < 6; ++b) {
    if (b == 1) mixer.start(voice, 30000, -600, true);  // lands on frame 640
    if (b == 3) mixer.setRate(voice, 45000);
    mixer.render(block.data(), 256, now);
    out.insert(out.end(), block.begin(), block.end());
    now += 256 * 1000000 / 48000;
  }
  const double expected[] = {  // left, right every 48 frames from frame 640
      0, 0, 0.0867058337, -0.040009778, -0.148254663, -0.140326396, -0.0740880147, -0.147455812, 0.203281149,
      -0.0987157524, -0.042527467, -0.0127155511, -0.168372646, 0.0777150095, 0.154671669, 0.138063803,
      0.0802059025, 0.145316869, -0.197563842, 0.0967471749, 0.0477633514, 0.0109545952, 0.145511717,
      0.0505323485, -0.176630318, 0.0796178207, 0.199699894, -0.151999176, -0.197086751, 0.093264088,
      0.178616986, 0.0383675769, -0.141533688, -0.140794158, 0.0897943527, 0.126055479, -0.0316430032,
      -0.00736442488};
  for (std::size_t i = 0; i < std::size(expected) / 2; ++i) {
    const std::size_t frame = 640 + 48 * i;
    EXPECT_NEAR(out[2 * frame], expected[2 * i], 1e-6) << "left at " << frame;
    EXPECT_NEAR(out[2 * frame + 1], expected[2 * i + 1], 1e-6) << "right at " << frame;
  }
}

// ---- The rendering thread and the callbacks ----------------------------------------

struct Told {
  char kind;
  std::uint64_t id;
  std::thread::id thread;
};

// A speaking stream, tones starting and stopping, a click: the thread that
// renders neither allocates nor frees memory, and the callbacks run elsewhere.
TEST(MixerAudioThread, RendersWithoutAllocatingAndHandsCallbacksOver) {
  Mixer mixer(monoMicros, Mixer::Delivery::Thread);
  mixer.setCommandDelay(8000);
  auto tone = std::make_shared<SampleBuffer>();
  tone->rate = 22050;
  for (int i = 0; i < 64; ++i) tone->samples.push_back(static_cast<float>(0.3 * std::sin(2 * M_PI * i / 64)));
  auto click = std::make_shared<SampleBuffer>(*tone);
  click->samples.resize(64 * 20);
  const auto toneVoice = mixer.addVoice(tone), clickVoice = mixer.addVoice(click);
  std::mutex toldLock;
  std::vector<Told> told;
  auto stream = mixer.openStream(22050, {[&](std::uint64_t id) {
                                           std::lock_guard lock(toldLock);
                                           told.push_back({'s', id, std::this_thread::get_id()});
                                         },
                                         [&](std::uint64_t id) {
                                           std::lock_guard lock(toldLock);
                                           told.push_back({'f', id, std::this_thread::get_id()});
                                         }});
  // The silent clock's thread stands in for the device's: same pace, same calls.
  std::atomic<long> counted{0};
  std::atomic<std::thread::id> audioThread;
  auto output = openSilentClock(
      [&](float* stereo, int frames, std::int64_t at) {
        audioThread = std::this_thread::get_id();
        startCountingAllocations();
        mixer.render(stereo, frames, at);
        counted += stopCountingAllocations();
      },
      256);
  std::vector<std::int16_t> speech(441, 4000);
  for (int i = 0; i < 20; ++i) {
    mixer.start(toneVoice, 440 * 64, -600, true);
    mixer.start(clickVoice, 0, 0, false);
    stream->push(speech.data(), speech.size());
    stream->endUtterance();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    mixer.stop(toneVoice);
  }
  // Every utterance told, or a generous limit on a loaded machine.
  for (int wait = 0; wait < 1000; ++wait) {
    {
      std::lock_guard lock(toldLock);
      if (told.size() >= 40) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  output.reset();
  EXPECT_EQ(counted, 0);
  std::lock_guard lock(toldLock);
  ASSERT_EQ(told.size(), 40u);
  for (std::size_t i = 0; i < told.size(); ++i) {
    EXPECT_EQ(told[i].kind, i % 2 ? 'f' : 's');
    EXPECT_EQ(told[i].id, i / 2 + 1);
    EXPECT_NE(told[i].thread, audioThread.load());
  }
}

// Far more reports than the hand-over holds arrive between two deliveries of
// the UI thread: all of them come, each once, in order, in either delivery.
TEST(MixerAudioThread, ManyReportsBetweenTwoUiDeliveriesComeInOrderNoneLost) {
  for (const auto delivery : {Mixer::Delivery::Inline, Mixer::Delivery::Thread}) {
    RealHost ui;
    std::int64_t now = 0;
    Mixer mixer([&] { return now; }, delivery);
    std::vector<std::pair<char, std::uint64_t>> told;
    auto stream = mixer.openStream(
        16000, {[&](std::uint64_t id) { ui.post([&told, id] { told.push_back({'s', id}); }); },
                [&](std::uint64_t id) { ui.post([&told, id] { told.push_back({'f', id}); }); }});
    // 3,000 utterances, most of them empty: all of them end within a few frames.
    constexpr std::uint64_t kUtterances = 3000;
    std::vector<std::int16_t> pcm(32, 1000);
    for (std::uint64_t i = 1; i <= kUtterances; ++i) {
      if (i % 500 == 0) stream->push(pcm.data(), pcm.size());
      stream->endUtterance();
    }
    // The UI thread delivers once every few device periods.
    std::vector<float> block(2 * 256);
    for (int b = 0; b < 2000 && told.size() < 2 * kUtterances; ++b) {
      for (int i = 0; i < 4; ++i) {
        mixer.render(block.data(), 256, now);
        now += 5333;
      }
      ui.waitForEvents(Millis(2));
    }
    ASSERT_EQ(told.size(), 2 * kUtterances) << (delivery == Mixer::Delivery::Thread ? "thread" : "inline");
    for (std::size_t i = 0; i < told.size(); ++i) {
      ASSERT_EQ(told[i], (std::pair<char, std::uint64_t>{i % 2 ? 'f' : 's', i / 2 + 1})) << "report " << i;
    }
    EXPECT_TRUE(stream->idle());
  }
}

// A reset while the audio thread keeps reporting: once reset() has returned,
// no utterance numbered before it is reported.
TEST(MixerAudioThread, NoReportOfAnUtteranceBeforeAResetComesAfterIt) {
  Mixer mixer(monoMicros, Mixer::Delivery::Thread);
  std::atomic<std::uint64_t> resetBelow{0};
  std::atomic<int> late{0}, reports{0};
  auto check = [&](std::uint64_t id) {
    ++reports;
    if (id < resetBelow) ++late;
  };
  auto stream = mixer.openStream(48000, {check, check});
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<float> block(2 * 64);
    while (!done) {
      mixer.render(block.data(), 64, monoMicros());
      std::this_thread::yield();
    }
  });
  std::vector<std::int16_t> pcm(48, 1000);
  for (int round = 0; round < 300; ++round) {
    for (int i = 0; i < 4; ++i) {
      stream->push(pcm.data(), pcm.size());
      stream->endUtterance();
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200 + 10 * (round % 50)));
    const std::uint64_t next = stream->currentUtterance();
    stream->reset();
    resetBelow = next;
  }
  done = true;
  audio.join();
  EXPECT_EQ(late, 0);
  EXPECT_GT(reports, 0);
}

}  // namespace
}  // namespace drum
