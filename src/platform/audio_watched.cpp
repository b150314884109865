// The device the program plays on, watched. Players restart sound servers and
// switch headsets; a blind player must never have to restart the program to
// hear it again. So a device that is lost (the server closed the connection,
// SDL stopped the device) or that stops asking for frames for a while is
// replaced by a silent pace at once, which keeps the mixer's clock (sounds
// keep their time, speech ends when it would have), and the output is opened
// again on the default device with a growing pause between tries, as soon as
// one answers. A stalled device that asks again takes over from the pace.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/audiooutput.h"

namespace drum {
namespace {

constexpr std::int64_t kStallMicros = 300000;   // no request for this long: the device stopped
// How often a working device is looked at. Each look wakes a thread, and on a
// virtual machine a wake costs tens of microseconds: at 20 ms this watch alone
// was a tenth of the idle program's CPU. A loss is seen within this time, far
// inside the second or so a server takes to come back.
constexpr std::int64_t kWatchMicros = 100000;
constexpr std::int64_t kFirstRetryMicros = 100000;
constexpr std::int64_t kLastRetryMicros = 1000000;  // back-off up to this: a server back is heard within about a second
constexpr std::int64_t kRetryWaitMicros = 500000;   // a server that takes the connection and never answers
constexpr std::int64_t kCatchUpMicros = 500000;     // the pace further behind than this (the process was stopped) skips ahead

// SDL_AUDIODRIVER naming another driver than the servers' chooses SDL.
bool sdlChosen() {
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  return driver && *driver && std::strcmp(driver, "pulseaudio") != 0 && std::strcmp(driver, "pipewire") != 0;
}

// The sound server's output. Where PipeWire serves the PulseAudio clients a
// stream of its own plays instead, if that server can be reached in its own
// way too: the libpulse stream only tells which server it is, and renders
// nothing meanwhile.
std::unique_ptr<AudioOutput> openServerOutput(AudioRender render, int period, const PulseOpening& how,
                                              std::string* error, bool* noAnswer) {
  auto live = std::make_shared<std::atomic<bool>>(false);
  AudioRender gated = [render, live](float* stereo, int frames, std::int64_t at) {
    if (live->load(std::memory_order_acquire)) render(stereo, frames, at);
    else std::memset(stereo, 0, static_cast<std::size_t>(frames) * 2 * sizeof(float));
  };
  std::uint32_t cookie = 0;
  auto pulse = openPulseOutput(std::move(gated), period, how, error, noAnswer, &cookie);
  if (pulse && pulse->name() == "pipewire-pulse") {
    if (auto own = openPipeWireOutput(render, period, std::min<std::int64_t>(how.waitMicros, 1000000), cookie, nullptr))
      return own;
  }
  if (pulse) live->store(true, std::memory_order_release);
  return pulse;
}

class WatchedOutput : public AudioOutput {
 public:
  WatchedOutput(AudioRender render, int period, std::function<void(std::int64_t)> returned)
      : render_(std::move(render)), period_(period), returned_(std::move(returned)),
        silence_(static_cast<std::size_t>(period) * 2) {}
  ~WatchedOutput() override {
    {
      std::lock_guard lock(wake_);
      stop_ = true;
    }
    woken_.notify_all();
    if (thread_.joinable()) thread_.join();
    std::unique_ptr<AudioOutput> last;
    {
      std::lock_guard lock(state_);
      last = std::move(device_);
    }
  }

  // The first device, on the caller's thread; then the watch starts.
  void open(std::string* error) {
    const std::int64_t now = monoMicros();
    bool noAnswer = false;
    std::unique_ptr<AudioOutput> device;
    if (!sdlChosen()) device = openServerOutput(renderFor(1), period_, PulseOpening{}, error, &noAnswer);
    // A server that took the connection and never answered would hold SDL's
    // own attempt on it for ever; the watch tries it again instead.
    if (!device && !noAnswer) {
      std::string sdlError;
      device = openSdlOutput(renderFor(1), period_, &sdlError);
      if (!device && error) *error = (error->empty() ? "" : *error + "; ") + sdlError;
      usingSdl_ = device != nullptr;
    }
    if (device && error) error->clear();
    {
      std::lock_guard lock(state_);
      lastRequest_ = now;
      if (device) {
        device_ = std::move(device);
      } else {
        // The pace takes over from here, as from a lost device.
        pacing_ = true;
        paceFrom_ = now;
        paceFrames_ = 0;
        goneSince_ = now;
        nextTry_ = now + kLastRetryMicros;
        retryPause_ = kLastRetryMicros;
      }
    }
    thread_ = std::thread([this] { watch(); });
  }

  int period() const override { return period_; }
  std::string name() const override {
    std::lock_guard lock(state_);
    return device_ && !pacing_ ? device_->name() : std::string("silent clock");
  }
  std::int64_t underflows() const override {
    std::lock_guard lock(state_);
    return pastUnderflows_ + (device_ ? device_->underflows() : 0);
  }

 private:
  AudioRender renderFor(std::uint64_t generation) {
    return [this, generation](float* stereo, int frames, std::int64_t at) { fromDevice(generation, stereo, frames, at); };
  }

  // The device's thread.
  void fromDevice(std::uint64_t generation, float* stereo, int frames, std::int64_t at) {
    std::unique_lock lock(state_);
    if (generation != generation_) {
      // A device being let go: nothing of the mixer's goes to it.
      lock.unlock();
      std::memset(stereo, 0, static_cast<std::size_t>(frames) * 2 * sizeof(float));
      return;
    }
    lastRequest_ = monoMicros();
    if (pacing_) {
      // A stalled device asks again: it takes over from the pace.
      pacing_ = false;
      resumed_ = true;
    }
    render_(stereo, frames, at);
  }

  void watch() {
    std::unique_lock wait(wake_);
    while (!stop_) {
      const std::int64_t next = step();
      woken_.wait_until(wait, std::chrono::steady_clock::time_point(std::chrono::microseconds(next)),
                        [this] { return stop_; });
    }
  }

  // One look at the device, or one period of the pace; returns when to look next.
  std::int64_t step() {
    std::int64_t now = monoMicros();
    std::unique_ptr<AudioOutput> dropped;
    std::int64_t gap = -1;
    {
      std::lock_guard lock(state_);
      if (resumed_) {
        resumed_ = false;
        gap = now - goneSince_;
      }
      const bool lost = device_ && device_->lost();
      if (!pacing_ && (lost || now - lastRequest_ > kStallMicros)) {
        // The pace goes on from the last frame the device asked for, so the
        // mixer's clock loses nothing.
        pacing_ = true;
        paceFrom_ = std::min(now, lastRequest_ + static_cast<std::int64_t>(period_) * 1000000 / kRate);
        paceFrames_ = 0;
        goneSince_ = lastRequest_;
      }
      if (lost) {
        ++generation_;
        pastUnderflows_ += device_->underflows();
        dropped = std::move(device_);
        nextTry_ = now + kFirstRetryMicros;
        retryPause_ = kFirstRetryMicros;
      }
    }
    dropped.reset();  // outside the lock: its thread may be asking for frames
    if (gap >= 0 && returned_) returned_(gap);

    std::unique_lock lock(state_);
    if (!pacing_) return monoMicros() + kWatchMicros;
    // The pace: every period that is due, with the time it was due at.
    now = monoMicros();
    if (now - (paceFrom_ + paceFrames_ * 1000000 / kRate) > kCatchUpMicros) {
      paceFrom_ = now;
      paceFrames_ = 0;
    }
    for (;;) {
      const std::int64_t due = paceFrom_ + paceFrames_ * 1000000 / kRate;
      if (due > now || !pacing_) break;
      render_(silence_.data(), period_, due);
      paceFrames_ += period_;
    }
    const std::int64_t nextPeriod = paceFrom_ + paceFrames_ * 1000000 / kRate;
    if (device_ || now < nextTry_) return std::min(nextPeriod, device_ ? nextPeriod : nextTry_);
    lock.unlock();
    reopen();
    return monoMicros();
  }

  // One try at the default device; the pace goes on until it answers.
  void reopen() {
    std::uint64_t generation;
    {
      std::lock_guard lock(state_);
      generation = generation_ + 1;
    }
    std::unique_ptr<AudioOutput> device;
    if (!sdlChosen()) device = openServerOutput(renderFor(generation), period_, {false, kRetryWaitMicros}, nullptr, nullptr);
    if (!device && (usingSdl_ || sdlChosen())) device = openSdlOutput(renderFor(generation), period_, nullptr);
    std::lock_guard lock(state_);
    if (!device) {
      retryPause_ = std::min(retryPause_ * 2, kLastRetryMicros);
      nextTry_ = monoMicros() + retryPause_;
      return;
    }
    // The new device's requests count from here; until its first one the
    // pace keeps the clock, then it takes over (fromDevice).
    generation_ = generation;
    device_ = std::move(device);
    lastRequest_ = monoMicros();
  }

  AudioRender render_;
  const int period_;
  const std::function<void(std::int64_t)> returned_;
  std::vector<float> silence_;
  bool usingSdl_ = false;

  // The device and the pace. A device's requests and the pace's periods are
  // rendered under this lock, so the mixer is asked by one of them at a time.
  mutable std::mutex state_;
  std::unique_ptr<AudioOutput> device_;
  std::uint64_t generation_ = 1;     // of the device whose requests are rendered
  std::int64_t pastUnderflows_ = 0;  // of the devices let go
  std::int64_t lastRequest_ = 0;
  bool pacing_ = false;
  bool resumed_ = false;             // a device took over from the pace: tell the watch
  std::int64_t paceFrom_ = 0, paceFrames_ = 0;
  std::int64_t goneSince_ = 0;
  std::int64_t nextTry_ = 0, retryPause_ = kFirstRetryMicros;

  std::mutex wake_;
  std::condition_variable woken_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<AudioOutput> openWatchedOutput(AudioRender render, int period,
                                               std::function<void(std::int64_t)> returned, std::string* error) {
  auto out = std::make_unique<WatchedOutput>(std::move(render), period, std::move(returned));
  out->open(error);
  return out;
}

}  // namespace drum
