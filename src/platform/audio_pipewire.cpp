// PipeWire through its own client library. Through pipewire-pulse every
// chunk passes the server's main thread, which is not a real-time thread: a
// chunk written just before its cycle is now and then too late (an
// underflow), and one written earlier is heard that much later. A stream of
// PipeWire's own is a node of the graph: the graph wakes it each cycle and
// takes what it renders then, so nothing waits in a queue and no main thread
// stands between the two.
#include <pipewire/pipewire.h>
#include <spa/param/audio/format-utils.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>

#include "platform/audiooutput.h"

namespace drum {
namespace {

constexpr std::size_t kFrameBytes = 2 * sizeof(float);

class PipeWireOutput : public AudioOutput {
 public:
  PipeWireOutput(AudioRender render, int period) : render_(std::move(render)), period_(period) {}
  ~PipeWireOutput() override {
    if (!loop_) return;
    pw_thread_loop_lock(loop_);
    if (stream_) pw_stream_destroy(stream_);
    if (core_) {
      spa_hook_remove(&coreListener_);
      pw_core_disconnect(core_);
    }
    pw_thread_loop_unlock(loop_);
    pw_thread_loop_stop(loop_);
    if (context_) pw_context_destroy(context_);
    pw_thread_loop_destroy(loop_);
  }

  bool open(std::int64_t waitMicros, std::uint32_t cookie, std::string* error) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });
    loop_ = pw_thread_loop_new("drum-pipewire", nullptr);
    if (!loop_) return fail(error, "no main loop");
    // The client configuration that gives the stream's thread real-time
    // scheduling where the system grants it.
    context_ = pw_context_new(pw_thread_loop_get_loop(loop_),
                              pw_properties_new(PW_KEY_CONFIG_NAME, "client-rt.conf", nullptr), 0);
    if (!context_) return fail(error, "no context");
    if (pw_thread_loop_start(loop_) < 0) return fail(error, "no thread");
    pw_thread_loop_lock(loop_);
    const bool ok = connect(waitMicros, cookie, error);
    pw_thread_loop_unlock(loop_);
    return ok;
  }

  int period() const override { return period_; }
  std::string name() const override { return "pipewire"; }
  bool lost() const override { return lost_; }
  std::int64_t underflows() const override { return missed_; }

 private:
  static bool fail(std::string* error, const std::string& why) {
    if (error) *error = "PipeWire: " + why;
    return false;
  }

  // Under the loop's lock.
  bool connect(std::int64_t waitMicros, std::uint32_t cookie, std::string* error) {
    timespec until{};
    pw_thread_loop_get_time(loop_, &until, waitMicros * 1000);
    core_ = pw_context_connect(context_, nullptr, 0);
    if (!core_) return fail(error, std::strerror(errno));
    static const pw_core_events coreEvents = [] {
      pw_core_events e{};
      e.version = PW_VERSION_CORE_EVENTS;
      e.info = &PipeWireOutput::coreInfo;
      e.error = &PipeWireOutput::coreError;
      return e;
    }();
    pw_core_add_listener(core_, &coreListener_, &coreEvents, this);
    // The server that plays for PulseAudio's clients, not another one found
    // in the runtime folder (a PULSE_SERVER elsewhere).
    while (!cookie_ && !lost_) {
      if (pw_thread_loop_timed_wait_full(loop_, &until) != 0) break;
    }
    if (!cookie_ || lost_) return fail(error, "the server did not answer");
    if (cookie && *cookie_ != cookie) return fail(error, "not the sound server's PipeWire");

    char latency[32];
    std::snprintf(latency, sizeof latency, "%d/%d", period_, kRate);
    pw_properties* props = pw_properties_new(PW_KEY_MEDIA_TYPE, "Audio", PW_KEY_MEDIA_CATEGORY, "Playback",
                                             PW_KEY_MEDIA_ROLE, "Game", PW_KEY_APP_NAME, "drum", PW_KEY_APP_ID, "drum",
                                             PW_KEY_NODE_NAME, "drum", PW_KEY_NODE_LATENCY, latency, nullptr);
    // A sink named for PulseAudio clients is the same node here.
    if (const char* sink = std::getenv("PULSE_SINK"); sink && *sink) pw_properties_set(props, PW_KEY_TARGET_OBJECT, sink);
    static const pw_stream_events streamEvents = [] {
      pw_stream_events e{};
      e.version = PW_VERSION_STREAM_EVENTS;
      e.state_changed = &PipeWireOutput::stateChanged;
      e.process = &PipeWireOutput::process;
      return e;
    }();
    stream_ = pw_stream_new(core_, "drum", props);
    if (!stream_) return fail(error, "no stream");
    pw_stream_add_listener(stream_, &streamListener_, &streamEvents, this);
    std::uint8_t buffer[512];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof buffer);
    spa_audio_info_raw info{};
    info.format = SPA_AUDIO_FORMAT_F32;
    info.rate = kRate;
    info.channels = 2;
    info.position[0] = SPA_AUDIO_CHANNEL_FL;
    info.position[1] = SPA_AUDIO_CHANNEL_FR;
    const spa_pod* params[1] = {spa_format_audio_raw_build(&builder, SPA_PARAM_EnumFormat, &info)};
    const auto flags = static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS |
                                                    PW_STREAM_FLAG_RT_PROCESS);
    if (pw_stream_connect(stream_, PW_DIRECTION_OUTPUT, PW_ID_ANY, flags, params, 1) < 0)
      return fail(error, "the stream was refused");
    // Open once the graph runs it: a server without a sink to link it to
    // would take it and play it nowhere.
    while (state_ != PW_STREAM_STATE_STREAMING && !lost_) {
      if (pw_thread_loop_timed_wait_full(loop_, &until) != 0) break;
    }
    if (state_ == PW_STREAM_STATE_STREAMING && !lost_) return true;
    return fail(error, lost_ ? "the server went away" : "the stream was not started");
  }

  static void coreInfo(void* self, const pw_core_info* info) {
    auto* out = static_cast<PipeWireOutput*>(self);
    out->cookie_ = info->cookie;
    pw_thread_loop_signal(out->loop_, false);
  }
  static void coreError(void* self, std::uint32_t id, int, int res, const char* message) {
    auto* out = static_cast<PipeWireOutput*>(self);
    // The connection broke (the server went away).
    if (id == PW_ID_CORE && res == -EPIPE) out->lost_ = true;
    pw_thread_loop_signal(out->loop_, false);
  }

  static void stateChanged(void* self, pw_stream_state, pw_stream_state state, const char*) {
    auto* out = static_cast<PipeWireOutput*>(self);
    if (state == PW_STREAM_STATE_ERROR || (state == PW_STREAM_STATE_UNCONNECTED && out->streamed_)) out->lost_ = true;
    if (state == PW_STREAM_STATE_STREAMING) out->streamed_ = true;
    out->state_ = state;
    pw_thread_loop_signal(out->loop_, false);
  }

  // The graph's cycle, on the stream's real-time thread.
  static void process(void* self) {
    auto* out = static_cast<PipeWireOutput*>(self);
    pw_buffer* b = pw_stream_dequeue_buffer(out->stream_);
    if (!b) return;
    spa_data& d = b->buffer->datas[0];
    if (!d.data) {
      pw_stream_queue_buffer(out->stream_, b);
      return;
    }
    std::int64_t frames = d.maxsize / kFrameBytes;
    if (b->requested > 0) frames = std::min<std::int64_t>(frames, static_cast<std::int64_t>(b->requested));
    else frames = std::min<std::int64_t>(frames, out->period_);
    auto* stereo = static_cast<float*>(d.data);
    std::int64_t at = monoMicros();
    // A cycle the graph ran without us shows as a gap of two quanta.
    if (out->lastCycle_ > 0 && (at - out->lastCycle_) * kRate > 3 * frames * 1000000 / 2) ++out->missed_;
    out->lastCycle_ = at;
    for (std::int64_t done = 0; done < frames;) {
      const int n = static_cast<int>(std::min<std::int64_t>(frames - done, out->period_));
      out->render_(stereo + 2 * done, n, at);
      at += static_cast<std::int64_t>(n) * 1000000 / kRate;
      done += n;
    }
    d.chunk->offset = 0;
    d.chunk->stride = kFrameBytes;
    d.chunk->size = static_cast<std::uint32_t>(frames * kFrameBytes);
    pw_stream_queue_buffer(out->stream_, b);
  }

  AudioRender render_;
  const int period_;
  pw_thread_loop* loop_ = nullptr;
  pw_context* context_ = nullptr;
  pw_core* core_ = nullptr;
  spa_hook coreListener_{};
  spa_hook streamListener_{};
  pw_stream* stream_ = nullptr;
  pw_stream_state state_ = PW_STREAM_STATE_UNCONNECTED;
  bool streamed_ = false;
  std::optional<std::uint32_t> cookie_;
  std::int64_t lastCycle_ = 0;        // the stream's thread alone
  std::atomic<std::int64_t> missed_{0};
  std::atomic<bool> lost_{false};
};

}  // namespace

std::unique_ptr<AudioOutput> openPipeWireOutput(AudioRender render, int period, std::int64_t waitMicros,
                                                std::uint32_t cookie, std::string* error) {
  auto out = std::make_unique<PipeWireOutput>(std::move(render), period);
  if (!out->open(waitMicros, cookie, error)) return nullptr;
  return out;
}

}  // namespace drum
