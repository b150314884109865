// The virtual output: renders exactly as many frames as the virtual clock has
// moved on, so a sound takes its nominal time in virtual time too.
#include <memory>
#include <vector>

#include "platform/audiooutput.h"
#include "platform/virtualhost.h"

namespace drum {
namespace {

class VirtualOutput : public AudioOutput {
 public:
  VirtualOutput(VirtualHost& host, AudioRender render, int period)
      : state_(std::make_shared<State>()), period_(period) {
    state_->render = std::move(render);
    state_->origin = host.nowMicros();
    state_->buffer.resize(static_cast<std::size_t>(period) * 2);
    state_->period = period;
    // The host cannot forget a listener, so it holds only a weak handle.
    std::weak_ptr<State> weak = state_;
    host.addClockListener([weak](std::int64_t now) {
      if (auto s = weak.lock()) s->advanceTo(now);
    });
  }
  int period() const override { return period_; }
  std::string name() const override { return "virtual"; }

 private:
  struct State {
    AudioRender render;
    std::int64_t origin = 0;
    std::int64_t rendered = 0;  // frames
    int period = 0;
    std::vector<float> buffer;

    void advanceTo(std::int64_t now) {
      const std::int64_t target = (now - origin) * kRate / 1000000;
      while (rendered < target) {
        const int n = static_cast<int>(std::min<std::int64_t>(period, target - rendered));
        render(buffer.data(), n, origin + rendered * 1000000 / kRate);
        rendered += n;
      }
    }
  };
  std::shared_ptr<State> state_;
  int period_;
};

}  // namespace

std::unique_ptr<AudioOutput> openVirtualOutput(VirtualHost& host, AudioRender render, int period) {
  return std::make_unique<VirtualOutput>(host, std::move(render), period);
}

}  // namespace drum
