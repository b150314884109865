// The silent clock: when no sound device opens, every sound still takes its
// time, because the mixer is driven at the pace a device would drive it.
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/audiooutput.h"

namespace drum {

namespace {

class SilentClock : public AudioOutput {
 public:
  SilentClock(AudioRender render, int period) : render_(std::move(render)), period_(period) {
    thread_ = std::thread([this] { run(); });
  }
  ~SilentClock() override {
    stop_ = true;
    thread_.join();
  }
  int period() const override { return period_; }
  std::string name() const override { return "silent clock"; }

 private:
  void run() {
    std::vector<float> buffer(static_cast<std::size_t>(period_) * 2);
    const std::int64_t start = monoMicros();
    std::int64_t frames = 0;
    while (!stop_) {
      // Times follow the frame count, so rounding never accumulates.
      const std::int64_t due = start + frames * 1000000 / kRate;
      render_(buffer.data(), period_, due);
      frames += period_;
      const std::int64_t next = start + frames * 1000000 / kRate;
      std::this_thread::sleep_until(std::chrono::steady_clock::time_point(std::chrono::microseconds(next)));
    }
  }
  AudioRender render_;
  int period_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace

std::unique_ptr<AudioOutput> openSilentClock(AudioRender render, int period) {
  return std::make_unique<SilentClock>(std::move(render), period);
}

}  // namespace drum
