#include <memory>
#include <vector>

#include "contextfeed.h"
#include "page.h"
#include "platform/audiooutput.h"
#include "platform/clock.h"
#include "runtime/soundsystem.h"
#include "webaudio.h"

namespace drum {
namespace {

class WebOutput;
WebOutput* current = nullptr;

class WebOutput : public AudioOutput {
 public:
  explicit WebOutput(AudioRender render)
      : render_(render), feed_(
            render, [] { soundOutputAheadChanged(); },
            [] { return soundMixer() && soundMixer()->loopSounding(); }),
        start_(monoMicros()) {
    buffer_.resize(static_cast<std::size_t>(ContextFeed::kChunk) * 2);
    current = this;
  }
  ~WebOutput() override {
    if (current == this) current = nullptr;
  }
  int period() const override { return ContextFeed::kChunk; }
  std::string name() const override { return "Web Audio"; }
  std::int64_t aheadMicros() const override { return feed_.aheadMicros(); }

  void pump() {
    const std::int64_t now = monoMicros();
    const double time = page::audioTime();
    if (time < 0) {
      paceSilently(now);
      return;
    }
    feed_.pump(now, time, [](const float* stereo, int frames, double start, bool onset) {
      page::audioWrite(stereo, frames, start, onset);
    });
  }

 private:
  // No context yet (or none at all, under Node): the mixer's requests at the
  // real pace, into nothing.
  void paceSilently(std::int64_t now) {
    while (true) {
      const std::int64_t due = start_ + silentFrames_ * 1000000 / kRate;
      if (due > now) return;
      render_(buffer_.data(), ContextFeed::kChunk, due);
      silentFrames_ += ContextFeed::kChunk;
    }
  }

  AudioRender render_;
  ContextFeed feed_;
  std::int64_t start_;
  std::int64_t silentFrames_ = 0;
  std::vector<float> buffer_;
};

}  // namespace

std::unique_ptr<AudioOutput> openDeviceOutput(AudioRender render, int, std::function<void(std::int64_t)>,
                                              std::string*) {
  return std::make_unique<WebOutput>(std::move(render));
}

bool deviceOutputHasThread() { return false; }

void pumpWebAudio() {
  if (current) current->pump();
}

}  // namespace drum
