// The sound server through its own client library, libpulse: PulseAudio, or
// PipeWire through pipewire-pulse, which is what desktops run today. Only asks
// the mixer for frames.
//
// PulseAudio keeps a stream's latency at its target length, so the stream
// asks for little more than one period and is given all the server asks for.
//
// On PipeWire a stream of its own plays instead (audio_pipewire.cpp); this
// one only where that server cannot be reached in its own way. pipewire-pulse
// keeps at least three quanta queued for a stream that fills
// what it asks for: a letter played some 20 ms after it was rendered. So on
// PipeWire the stream asks for a quantum of one period (the latency PipeWire
// runs its graph at), no prebuffering, and writes each chunk a cycle of the
// server takes only a short lead before that cycle is due, as a device would
// ask for it. When the cycles come is learnt from the server's requests (one
// a cycle, late never early). A lead that proves too short shows as an
// underflow (the server played silence and went on in time) and grows; it
// shrinks again after a while without one.
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/audiooutput.h"
#include "platform/realtime.h"

namespace drum {
namespace {

constexpr std::size_t kFrameBytes = 2 * sizeof(float);
constexpr int kWindow = 64;                           // requests the cycles are learnt from: 340 ms at 256 frames
constexpr std::int64_t kMinLead = 2000;               // a chunk written this long before the server takes it
constexpr std::int64_t kMaxLead = 16000;
constexpr std::int64_t kLeadStep = 1000;              // more after each underflow
constexpr std::int64_t kLeadShrinkMicros = 5000000;   // and a little less after a while without one

class PulseOutput : public AudioOutput {
 public:
  PulseOutput(AudioRender render, int period) : render_(std::move(render)), period_(period), chunk_(period) {}
  ~PulseOutput() override {
    if (thread_.joinable()) {
      closing_ = true;
      pa_mainloop_wakeup(loop_);
      thread_.join();
    }
    if (timer_) pa_mainloop_get_api(loop_)->time_free(timer_);
    if (stream_) {
      pa_stream_set_write_callback(stream_, nullptr, nullptr);
      pa_stream_set_state_callback(stream_, nullptr, nullptr);
      pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
      pa_stream_disconnect(stream_);
      pa_stream_unref(stream_);
    }
    if (context_) {
      pa_context_set_state_callback(context_, nullptr, nullptr);
      pa_context_disconnect(context_);
      pa_context_unref(context_);
    }
    if (loop_) pa_mainloop_free(loop_);
  }

  bool open(bool autospawn, std::int64_t waitMicros, std::string* error) {
    loop_ = pa_mainloop_new();
    if (!loop_) return fail(error, "no main loop");
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "drum");
    pa_proplist_sets(props, PA_PROP_APPLICATION_ID, "drum");
    pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "game");
    context_ = pa_context_new_with_proplist(pa_mainloop_get_api(loop_), "drum", props);
    if (!context_) {
      pa_proplist_free(props);
      return fail(error, "no context");
    }
    pa_context_set_state_callback(context_, &PulseOutput::contextState, this);
    const auto flags = autospawn ? PA_CONTEXT_NOFLAGS : PA_CONTEXT_NOAUTOSPAWN;
    if (pa_context_connect(context_, nullptr, flags, nullptr) < 0) {
      pa_proplist_free(props);
      return fail(error, pa_strerror(pa_context_errno(context_)));
    }
    const std::int64_t until = monoMicros() + waitMicros;
    if (!iterateUntil([this] { return pa_context_get_state(context_) != PA_CONTEXT_CONNECTING &&
                                      pa_context_get_state(context_) != PA_CONTEXT_AUTHORIZING &&
                                      pa_context_get_state(context_) != PA_CONTEXT_SETTING_NAME &&
                                      pa_context_get_state(context_) != PA_CONTEXT_UNCONNECTED; },
                      until) ||
        pa_context_get_state(context_) != PA_CONTEXT_READY) {
      pa_proplist_free(props);
      timedOut_ = pa_context_get_state(context_) != PA_CONTEXT_FAILED;
      return fail(error, timedOut_ ? "the sound server did not answer" : pa_strerror(pa_context_errno(context_)));
    }
    bool named = false;
    pa_operation* info = pa_context_get_server_info(
        context_,
        [](pa_context*, const pa_server_info* i, void* self) {
          auto* out = static_cast<PulseOutput*>(self);
          if (i && i->server_name && std::strstr(i->server_name, "PipeWire")) {
            out->name_ = "pipewire-pulse";
            out->paced_ = true;
            out->cookie_ = i->cookie;
          }
          out->infoDone_ = true;
        },
        this);
    if (info) {
      iterateUntil([this] { return infoDone_ || lost_; }, until);
      named = infoDone_;
      pa_operation_unref(info);
    }
    if (!named) {
      pa_proplist_free(props);
      timedOut_ = !lost_;
      return fail(error, "the sound server did not answer");
    }

    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(kRate), 2};
    pa_channel_map map;
    pa_channel_map_init_stereo(&map);
    stream_ = pa_stream_new_with_proplist(context_, "drum", &spec, &map, props);
    pa_proplist_free(props);
    if (!stream_) return fail(error, pa_strerror(pa_context_errno(context_)));
    pa_stream_set_state_callback(stream_, &PulseOutput::streamState, this);
    pa_stream_set_write_callback(stream_, &PulseOutput::requested, this);
    pa_stream_set_underflow_callback(stream_, &PulseOutput::underflow, this);
    const auto request = static_cast<std::uint32_t>(period_ * kFrameBytes);
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.fragsize = static_cast<std::uint32_t>(-1);
    pa_stream_flags_t streamFlags = PA_STREAM_ADJUST_LATENCY;
    if (paced_) {
      // A request a period: with early requests the quantum is the request
      // size. The target length is only room; what is queued is the lead.
      attr.tlength = 16 * request;
      attr.prebuf = 0;  // play at once, and after an underflow go on in time
      attr.minreq = request;
      streamFlags = PA_STREAM_EARLY_REQUESTS;
    } else {
      // A period and a half of latency, asked for in half periods: with one
      // period (the server made it 4 ms, asked for in 1.3 ms pieces) it ran
      // dry about once a second on a quiet machine.
      attr.tlength = request * 3 / 2;
      attr.prebuf = static_cast<std::uint32_t>(-1);
      attr.minreq = request / 2;
    }
    if (pa_stream_connect_playback(stream_, nullptr, &attr, streamFlags, nullptr, nullptr) < 0)
      return fail(error, pa_strerror(pa_context_errno(context_)));
    if (!iterateUntil([this] { return pa_stream_get_state(stream_) != PA_STREAM_CREATING; }, until) ||
        pa_stream_get_state(stream_) != PA_STREAM_READY) {
      timedOut_ = pa_stream_get_state(stream_) == PA_STREAM_CREATING;
      return fail(error, timedOut_ ? "the sound server did not answer" : pa_strerror(pa_context_errno(context_)));
    }
    thread_ = std::thread([this] { run(); });
    return true;
  }

  int period() const override { return period_; }
  std::string name() const override { return name_; }
  bool lost() const override { return lost_; }
  std::int64_t underflows() const override { return underflows_; }
  // The server took the connection but never finished opening the stream.
  bool timedOut() const { return timedOut_; }
  std::uint32_t cookie() const { return cookie_; }

 private:
  static bool fail(std::string* error, const std::string& why) {
    if (error) *error = "PulseAudio: " + why;
    return false;
  }

  // Runs the main loop on the calling thread until `done` or the deadline.
  template <typename Done>
  bool iterateUntil(Done done, std::int64_t until) {
    while (!done()) {
      const std::int64_t left = until - monoMicros();
      if (left <= 0) return false;
      if (pa_mainloop_prepare(loop_, static_cast<int>(std::min<std::int64_t>(left, 100000))) < 0 ||
          pa_mainloop_poll(loop_) < 0 || pa_mainloop_dispatch(loop_) < 0)
        return false;
    }
    return true;
  }

  void run() {
    // Real-time scheduling where the system grants it, as the sound server's
    // own threads have it: the thread only waits for requests and mixes a few
    // hundred microseconds a period.
    raiseToRealTime(currentThreadId(), kAudioPriority, kAudioNice);
    while (!closing_) {
      if (pa_mainloop_iterate(loop_, 1, nullptr) < 0) break;
    }
  }

  static void contextState(pa_context* c, void* self) {
    const pa_context_state_t s = pa_context_get_state(c);
    if (s == PA_CONTEXT_FAILED || s == PA_CONTEXT_TERMINATED) static_cast<PulseOutput*>(self)->lost_ = true;
  }
  static void streamState(pa_stream* s, void* self) {
    const pa_stream_state_t state = pa_stream_get_state(s);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) static_cast<PulseOutput*>(self)->lost_ = true;
  }
  static void underflow(pa_stream*, void* self) {
    auto* out = static_cast<PulseOutput*>(self);
    // Before the first frames are written the server has nothing to run out of.
    if (out->written_ > 0) ++out->underflows_;
    if (!out->paced_) return;
    // The first cycles come before the thread's priority is settled and
    // before the cycles' times are known.
    if (out->lines_ < kWindow) return;
    out->lead_ = std::min(out->lead_ + kLeadStep, kMaxLead);
    out->leadSince_ = monoMicros();
  }
  static void requested(pa_stream*, std::size_t, void* self) { static_cast<PulseOutput*>(self)->request(); }
  static void due(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
    auto* out = static_cast<PulseOutput*>(self);
    out->fill(monoMicros());
  }

  // What the server holds of ours: its target length less what it asks for
  // (negative after an underflow: the server went on in time without us).
  bool queuedNow(std::int64_t& frames) const {
    const pa_buffer_attr* attr = pa_stream_get_buffer_attr(stream_);
    const std::size_t asked = pa_stream_writable_size(stream_);
    if (!attr || asked == static_cast<std::size_t>(-1)) return false;
    frames = (static_cast<std::int64_t>(attr->tlength) - static_cast<std::int64_t>(asked)) /
             static_cast<std::int64_t>(kFrameBytes);
    return true;
  }

  // A request comes once the server has taken a chunk: it tells how many
  // frames the server has taken so far, and when (a request comes late,
  // never early, so the earliest of the recent ones is the server's own
  // time line).
  void request() {
    const std::int64_t now = monoMicros();
    if (!paced_) {
      top();
      return;
    }
    std::int64_t queued = 0;
    if (!queuedNow(queued)) return;
    const std::int64_t consumed = written_ - queued;
    if (consumed > consumed_) {
      takens_[lines_ % kWindow] = consumed - consumed_;
      consumed_ = consumed;
      timeLine_[lines_ % kWindow] = static_cast<double>(now) - static_cast<double>(consumed) * 1e6 / kRate;
      ++lines_;
      const std::size_t n = std::min<std::uint64_t>(lines_, kWindow);
      line_ = *std::min_element(timeLine_, timeLine_ + n);
      // Requests that came together show as multiples of the chunk.
      chunk_ = *std::min_element(takens_, takens_ + n);
    }
    fill(now);
  }

  // PulseAudio: all it asks for, in pieces of a period.
  void top() {
    const std::int64_t at = monoMicros();
    write(static_cast<std::int64_t>(pa_stream_writable_size(stream_) / kFrameBytes), at);
  }

  // Renders `frames` into the stream, the first of them due `at`.
  void write(std::int64_t frames, std::int64_t at) {
    while (frames > 0) {
      void* data = nullptr;
      std::size_t bytes = static_cast<std::size_t>(std::min<std::int64_t>(frames, period_)) * kFrameBytes;
      if (pa_stream_begin_write(stream_, &data, &bytes) < 0 || !data) break;
      const int n = static_cast<int>(std::min<std::int64_t>(frames, static_cast<std::int64_t>(bytes / kFrameBytes)));
      if (n <= 0) {
        pa_stream_cancel_write(stream_);
        break;
      }
      // Later pieces of one write as a device would have asked for them.
      render_(static_cast<float*>(data), n, at);
      if (pa_stream_write(stream_, data, static_cast<std::size_t>(n) * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE) < 0)
        break;
      written_ += n;
      at += static_cast<std::int64_t>(n) * 1000000 / kRate;
      frames -= n;
    }
  }

  // Writes every chunk that a cycle of the server takes before now + lead,
  // then sleeps until the next one is due.
  void fill(std::int64_t now) {
    if (lead_ > kMinLead && now - leadSince_ > kLeadShrinkMicros) {
      lead_ = std::max(kMinLead, lead_ - kLeadStep / 2);
      leadSince_ = now;
    }
    std::int64_t queued = 0;
    if (!queuedNow(queued)) return;
    std::int64_t needed;  // frames written in all, when this is done
    std::int64_t cycle;   // chunks from consumed_ on that are written then
    if (lines_ == 0) {
      // Before the server has taken anything: when its cycles come is not
      // known yet.
      cycle = 2;
      needed = consumed_ + cycle * chunk_;
    } else {
      const double ahead = (static_cast<double>(now + lead_) - line_) * kRate / 1e6 - static_cast<double>(consumed_);
      cycle = std::max<std::int64_t>(0, static_cast<std::int64_t>(std::floor(ahead / static_cast<double>(chunk_))));
      needed = consumed_ + cycle * chunk_;
    }
    const std::int64_t asked = pa_stream_writable_size(stream_) / kFrameBytes;
    write(std::min(needed - written_, asked), now);
    if (lines_ == 0) return;  // the first request sets the time line
    const double next = line_ + static_cast<double>(consumed_ + (cycle + 1) * chunk_) * 1e6 / kRate - static_cast<double>(lead_);
    const std::int64_t wait = std::max<std::int64_t>(static_cast<std::int64_t>(next) - monoMicros(), 100);
    if (!timer_) timer_ = pa_context_rttime_new(context_, pa_rtclock_now() + wait, &PulseOutput::due, this);
    else pa_context_rttime_restart(context_, timer_, pa_rtclock_now() + wait);
  }

  AudioRender render_;
  const int period_;
  pa_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  std::string name_ = "pulseaudio";
  bool infoDone_ = false;
  bool paced_ = false;                // PipeWire: chunks written just before they are due
  bool timedOut_ = false;
  std::uint32_t cookie_ = 0;          // PipeWire's, on PipeWire
  std::atomic<bool> lost_{false};
  std::atomic<std::int64_t> underflows_{0};
  std::atomic<bool> closing_{false};
  std::thread thread_;
  // The queue and the server's cycles; only the thread running the main
  // loop touches them.
  pa_time_event* timer_ = nullptr;
  std::int64_t written_ = 0;          // frames written in all
  std::int64_t consumed_ = 0;         // frames the server had taken at its last request
  std::int64_t chunk_;                // frames a cycle of the server takes
  std::int64_t takens_[kWindow] = {};
  double timeLine_[kWindow] = {};     // request time less the time of the frames taken
  double line_ = 0;                   // the earliest of them
  std::uint64_t lines_ = 0;
  std::int64_t lead_ = kMinLead;      // a chunk is written this long before its cycle
  std::int64_t leadSince_ = 0;
};

}  // namespace

std::unique_ptr<AudioOutput> openPulseOutput(AudioRender render, int period, const PulseOpening& how,
                                             std::string* error, bool* noAnswer, std::uint32_t* pipewireCookie) {
  auto out = std::make_unique<PulseOutput>(std::move(render), period);
  const bool ok = out->open(how.autospawn, how.waitMicros, error);
  if (noAnswer) *noAnswer = !ok && out->timedOut();
  if (!ok) return nullptr;
  if (pipewireCookie && out->name() == "pipewire-pulse") *pipewireCookie = out->cookie();
  return out;
}

}  // namespace drum
