// The mixer: every sound of the program meets here and leaves as one 48 kHz
// stereo stream for the audio output (platform/audiooutput.h).
//
// Two kinds of sources:
//  - Voices: a decoded wave (SampleBuffer) played from its start, once or
//    looped, at a playback rate (0 = the wave's own, else 64..256,000 samples
//    per second) and a volume (hundredths of a decibel, -10,000 = silence .. 0).
//    The sound bank gives every copy of an item its own voice. Commands on
//    voices are stamped with the mixer's clock and take effect a fixed delay
//    later at the exact frame, so a tone lasts what its commands say, however
//    the device's buffers fall.
//  - Streams (PcmStream): 16-bit mono PCM pushed by a producer thread (speech
//    synthesis) at its own rate, resampled to 48 kHz, in utterances whose first
//    and last played samples are reported.
//
// Every voice goes through a 25 Hz high-pass before its envelope, and tones get
// 2 ms ramps where they start and stop, so a "tone" of 2 Hz (SOUND 0, a rest)
// is silent and nothing clicks or thumps; a DC blocker and a soft limit guard
// the output.
//
// In virtual time the output renders when the clock moves, so a callback
// comes at the first clock movement that reaches its sample: a wait that
// advances in small steps (waitForEvents with a few milliseconds) sees it on time.
//
// The audio thread neither allocates nor filters at length: a tone's 64 ms
// of filter pre-roll is computed by the thread that starts it, and streams'
// callbacks leave the rendering thread as fixed-size notices in a ring that
// another thread drains (Delivery).
//
// Thread safety: every public function may be called from any thread.
// Callbacks run one at a time, in the order of the samples they report, on
// the delivery thread (Delivery::Thread) or on the rendering thread after it
// has rendered (Delivery::Inline: the UI thread in virtual time). Keep them
// short (Host::post) and never call the mixer from them.
#pragma once
#include <semaphore.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "runtime/pcmstream.h"

namespace drum {

// A decoded wave: interleaved float samples in -1..1.
struct SampleBuffer {
  int rate = 0;      // samples per second as recorded
  int channels = 1;  // 1 or 2
  std::vector<float> samples;
  std::size_t frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

class Mixer {
 public:
  static constexpr int kRate = 48000;
  static constexpr int kMinRate = 64;
  static constexpr int kMaxRate = 256000;
  static constexpr int kSilence = -10000;
  using VoiceId = int;

  // Where streams' callbacks run.
  enum class Delivery {
    // On the rendering thread, as render() returns: virtual time, where that
    // is the UI thread, and a mixer driven by hand.
    Inline,
    // On a thread of the mixer's own, which render() wakes without allocating
    // or waiting: for a real-time audio thread.
    Thread,
  };

  // `clock`: microseconds on the same clock as the output's bufferMicros.
  explicit Mixer(std::function<std::int64_t()> clock, Delivery delivery = Delivery::Inline);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // How long after its call a command takes effect (about one device period;
  // 0 in virtual time, where rendering follows the clock exactly).
  void setCommandDelay(std::int64_t micros);
  std::int64_t now() const { return clock_(); }

  // ---- Voices
  VoiceId addVoice(std::shared_ptr<const SampleBuffer> buffer);
  void removeVoice(VoiceId id);  // silences it at once
  // Starts the voice from the beginning (a sounding voice fades out as the new
  // start begins). A looped start filters its pre-roll here, on the caller's thread.
  void start(VoiceId id, int rate, int volume, bool looped);
  void stop(VoiceId id);
  void setRate(VoiceId id, int rate);
  void setVolume(VoiceId id, int volume);
  // Started and not yet stopped or played to its end (a start still waiting
  // for its frame counts as playing).
  bool isPlaying(VoiceId id) const;
  // Whether a looped voice sounds in what was rendered last: a tone, which
  // ends only when a command stops it.
  bool loopSounding() const;

  // ---- Streams
  std::shared_ptr<PcmStream> openStream(int rate, PcmStream::Callbacks callbacks);
  // No callback of the stream comes after it returns. Never from a callback.
  void closeStream(const std::shared_ptr<PcmStream>& stream);

  // ---- Output side: called by the audio output for the next frames.
  void render(float* stereo, int frames, std::int64_t bufferMicros);
  // Frames rendered so far.
  std::int64_t framesRendered() const;
  // Optional tap on everything rendered (tests, measurement); runs with the mixer locked.
  void setTap(std::function<void(const float* stereo, int frames)> tap);

  static float gainOf(int volume);  // hundredths of a decibel -> linear
  static int clampRate(int rate);   // 0 stays 0, else into kMinRate..kMaxRate

 private:
  friend class PcmStream;
  struct Biquad {
    double b0, b1, b2, a1, a2;
  };
  struct Playback {
    std::shared_ptr<const SampleBuffer> buffer;
    double pos = 0;
    double step = 0;
    bool looped = false;
    bool active = false;
    std::uint64_t generation = 0;
    float gain = 1, gainTarget = 1;
    float env = 1, envStep = 0;  // de-click ramp
    double z[2][4] = {};         // high-pass state per channel, two sections
  };
  struct Voice {
    bool used = false;
    std::shared_ptr<const SampleBuffer> buffer;
    Playback cur, tail;          // tail: what a stop or restart is fading out
    bool playing = false;        // as the UI sees it
    std::uint64_t generation = 0;
  };
  // Where a looped start begins and its high-pass state there, as if the
  // loop had always been sounding.
  struct Preroll {
    double pos = 0;
    double z[2][4] = {};
  };
  enum class Op { Start, Stop, Rate, Volume, Remove };
  struct Command {
    std::int64_t stamp;
    Op op;
    VoiceId id;
    int rate;
    int volume;
    bool looped;
    std::uint64_t generation;
    Preroll preroll;  // Start, looped
  };
  // A stream's utterance reached an edge: what a callback is told, kept in
  // place until the delivery runs it.
  struct Notice {
    std::uint64_t stream;  // PcmStream::key_
    std::uint64_t id;
    bool finished;
  };
  static constexpr std::size_t kNotices = 1024;  // a power of two

  bool validVoice(VoiceId id) const;
  void queue(Command c);
  void apply(const Command& c);
  Preroll prerollFor(const std::shared_ptr<const SampleBuffer>& buffer, double step) const;
  void renderVoices(float* stereo, int frames);
  void renderPlayback(Playback& p, float* stereo, int frames, Voice* owner) const;
  double stepFor(const SampleBuffer& b, int rate) const;
  std::int64_t frameOf(std::int64_t stamp) const;
  // The stamp of the last queued command. State locked.
  std::optional<std::int64_t> lastCommandStamp() const;
  // Rendering thread, state locked: false when the ring is full (the stream
  // then reports at a later frame).
  bool notice(const Notice& n);
  // Runs the callbacks of the notices in the ring, in order.
  void deliver();
  void deliveryLoop();

  std::shared_ptr<MixerLocks> locks_;
  std::function<std::int64_t()> clock_;
  std::int64_t delay_ = 0;
  std::vector<Voice> voices_;
  // Queued commands from commandsHead_ on, in stamp order. The audio thread
  // only moves the head; queue() reuses the room, so nothing is freed there.
  std::vector<Command> commands_;
  std::size_t commandsHead_ = 0;
  std::vector<std::shared_ptr<PcmStream>> streams_;  // changed under both locks
  std::uint64_t nextStreamKey_ = 1;
  std::int64_t position_ = 0;  // frames rendered
  // Where frames lie on the clock: bufferMicros - position, the least of the
  // recent requests (a request can come late, never early, so the least is
  // the device's own pace).
  double offset_ = 0;
  std::vector<double> recentOffsets_;
  std::size_t nextOffset_ = 0;
  Biquad hp_[2];
  double dcX_[2] = {}, dcY_[2] = {};
  std::function<void(const float*, int)> tap_;

  // The notice ring: written by the rendering thread (state locked), read by
  // the delivery (delivery locked); counters only grow.
  std::vector<Notice> notices_;
  std::atomic<std::uint64_t> noticesWritten_{0};
  std::atomic<std::uint64_t> noticesRead_{0};
  const Delivery delivery_;
  sem_t wake_{};  // Thread: posted by render(), which may neither allocate nor block
  std::atomic<bool> stopping_{false};
  std::thread deliveryThread_;
};

}  // namespace drum
