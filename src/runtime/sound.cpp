// SOUND, BEEP and CLICK: tones and recorded sounds from the sound bank.
#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>

#include "platform/host.h"
#include "runtime/oskcommands.h"
#include "runtime/soundbank.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"

namespace drum {

bool soundplaying = false;

namespace {

// The main window's Timer: one shot at a time, restarted by every SOUND.
std::optional<Host::TimerId> timer;

void stopTimer() {
  if (timer) host().cancelTimer(*timer);
  timer.reset();
}

// "snd" + position + voice, in a buffer of its caller's: every SOUND looks
// up its tones by these names.
class ToneName {
 public:
  ToneName(std::size_t position, std::int64_t voice) {
    char* end = std::copy_n("snd", 3, text_);
    end = std::to_chars(end, text_ + sizeof text_, position).ptr;
    length_ = static_cast<std::size_t>(std::to_chars(end, text_ + sizeof text_, voice).ptr - text_);
  }
  operator std::string_view() const { return {text_, length_}; }

 private:
  char text_[48];
  std::size_t length_;
};

// Stops the tones a SOUND started, however it is left: a missing item, an
// error escaping an event handler or the end of its wait.
class Tones {
 public:
  explicit Tones(std::int64_t voice) : voice_(voice) {}
  ~Tones() {
    for (std::size_t i = 1; i <= started_; ++i) {
      try {
        soundbank.stop(soundbank.find(ToneName(i, voice_)));
      } catch (...) {
      }
    }
  }
  void started(std::size_t i) { started_ = i; }

 private:
  std::int64_t voice_;
  std::size_t started_ = 0;
};

}  // namespace

void TimerTimer() {
  soundplaying = false;
  stopTimer();
}

void endSoundWait() {
  if (soundplaying) TimerTimer();
}

void sound(const std::vector<double>& values, double duration, double voice) {
  traceSound(values, duration, voice);
  if (!oskirasounds || soundbank.failed()) return;
  double w = voice;
  double d = duration;
  if (w > 9) w = lastvoice;
  if (!(d >= 0)) d = lastduration;
  const std::int64_t v = truncate(w);
  const std::int64_t ms = std::min<std::int64_t>(truncate(d), INT32_MAX);
  lastvoice = static_cast<std::uint8_t>(v);
  lastduration = static_cast<std::int32_t>(ms);
  soundplaying = true;

  Tones tones(v);
  const std::size_t k = values.size() % 256;
  for (std::size_t i = 1; i <= k; ++i) {
    // Far outside the playable range the rate is clamped anyway; this keeps m * 64 finite.
    std::int64_t m = std::clamp<std::int64_t>(truncate(values[i - 1]), -1000000, 1000000);
    if (m == 0) m = 2;
    SoundItem& item = soundbank.find(ToneName(i, v));
    soundbank.setLooped(item, true);
    soundbank.setFrequency(item, static_cast<int>(m * 64));
    soundbank.setVolume(item, sndvolume);
    soundbank.play(item, false);
    tones.started(i);
  }
  // Setting the interval restarts the one Timer; an interval of 0 leaves it off.
  stopTimer();
  if (ms > 0) timer = host().startTimer(Millis(ms), TimerTimer);
  while (soundplaying) host().waitForEvents(Millis(1000));
}

void beep() {
  traceBeep();
  if (!oskirasounds || soundbank.failed()) return;
  SoundItem& item = soundbank.find("beep");
  soundbank.setVolume(item, sndvolume);
  soundbank.play(item, true);
}

void click(double n) {
  traceClick(n);
  if (!oskirasounds || soundbank.failed()) return;
  SoundItem& item = soundbank.find("click" + std::to_string(truncate(n)));
  soundbank.setVolume(item, sndvolume);
  soundbank.play(item, true);
}

}  // namespace drum
