#include <cmath>
#include <vector>

#include "page.h"
#include "platform/audiooutput.h"
#include "platform/clock.h"
#include "webaudio.h"

namespace drum {
namespace {

// Far enough ahead that a pump every few milliseconds keeps the worklet fed,
// near enough that a key's sound starts soon.
constexpr std::int64_t kLeadMicros = 24000;

class WebOutput;
WebOutput* current = nullptr;

class WebOutput : public AudioOutput {
 public:
  WebOutput(AudioRender render, int period)
      : render_(std::move(render)), period_(period), start_(monoMicros()) {
    buffer_.resize(static_cast<std::size_t>(period) * 2);
    current = this;
  }
  ~WebOutput() override {
    if (current == this) current = nullptr;
  }
  int period() const override { return period_; }
  std::string name() const override { return "Web Audio"; }
  std::int64_t aheadMicros() const override { return kLeadMicros; }

  void pump() {
    const std::int64_t now = monoMicros();
    const double time = page::audioTime();
    if (time < 0) {
      paceSilently(now);
      return;
    }
    const double playing = time * kRate;
    const double lead = static_cast<double>(kLeadMicros) * kRate / 1e6;
    // The first pump with a context, or one after the page was held up so
    // long (a hidden tab) that everything rendered is past: start afresh.
    if (next_ < playing) next_ = std::ceil(playing + lead / 2);
    batch_.clear();
    double at = next_;
    while (at + period_ <= playing + lead) {
      const auto due = now + static_cast<std::int64_t>((at - playing) * 1e6 / kRate);
      render_(buffer_.data(), period_, due);
      batch_.insert(batch_.end(), buffer_.begin(), buffer_.end());
      at += period_;
    }
    if (batch_.empty()) return;
    page::audioWrite(batch_.data(), static_cast<int>(batch_.size() / 2), next_);
    next_ = at;
  }

 private:
  void paceSilently(std::int64_t now) {
    while (true) {
      const std::int64_t due = start_ + silentFrames_ * 1000000 / kRate;
      if (due > now) return;
      render_(buffer_.data(), period_, due);
      silentFrames_ += period_;
    }
  }

  AudioRender render_;
  int period_;
  std::int64_t start_;
  std::int64_t silentFrames_ = 0;
  double next_ = -1;  // the context frame of the next frame to write
  std::vector<float> buffer_, batch_;
};

}  // namespace

std::unique_ptr<AudioOutput> openDeviceOutput(AudioRender render, int period, std::function<void(std::int64_t)>,
                                              std::string*) {
  return std::make_unique<WebOutput>(std::move(render), period);
}

bool deviceOutputHasThread() { return false; }

void pumpWebAudio() {
  if (current) current->pump();
}

}  // namespace drum
