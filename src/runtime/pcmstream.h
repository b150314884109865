// A streaming source of the mixer (runtime/mixer.h): 16-bit mono PCM that a
// producer thread (speech synthesis) pushes at its own rate, played at the
// mixer's rate, in utterances whose first and last played samples are
// reported. Made by Mixer::openStream; every public function may be called
// from any thread.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace drum {

class Mixer;

// The mixer's locks, shared with its streams (a stream may outlive the mixer).
// `state` guards what the rendering thread reads; `delivery` is held while
// callbacks run, so a stream's reset() waits for a callback in progress.
// Taken in that order: delivery, then state.
struct MixerLocks {
  std::mutex delivery;
  std::mutex state;
};

// A streaming source: what one speech engine says, utterance after utterance.
class PcmStream {
 public:
  struct Callbacks {
    // The first sample of utterance `id` has been played (handed to the output).
    std::function<void(std::uint64_t id)> started;
    // The last sample of utterance `id` has been played. Comes after `started`.
    std::function<void(std::uint64_t id)> finished;
  };

  // Queues samples of the current utterance (opening one if none is open).
  void push(const std::int16_t* samples, std::size_t count);
  // The current utterance is complete (opening an empty one if none is open:
  // its callbacks then both come once everything before it has played).
  // Returns its number. Numbers count up from 1 and are never reused.
  std::uint64_t endUtterance();
  // The number the samples pushed next belong to.
  std::uint64_t currentUtterance() const;
  // Drops everything queued and stops what is sounding at once (with a 2 ms
  // fade). No callback comes after reset() returns for any utterance numbered
  // before it; a utterance that had started gets no `finished`. Never from a
  // callback.
  void reset();
  // Volume in hundredths of a decibel (-10,000 .. 0).
  void setVolume(int volume);
  // Nothing queued, nothing sounding.
  bool idle() const;
  int rate() const { return rate_; }

 private:
  friend class Mixer;
  PcmStream(std::shared_ptr<MixerLocks> locks, std::uint64_t key, int rate, Callbacks callbacks);
  struct Mark {
    std::int64_t start;  // absolute index of the first sample
    std::int64_t end;    // one past the last, -1 while open
    std::uint64_t id;
    bool startedSent = false;
  };
  // `position`: the mixer frame of stereo[0]; notices go to `mixer`. State locked.
  void renderAdd(Mixer& mixer, float* stereo, int frames, std::int64_t position);
  float sampleAt(std::int64_t index) const;

  std::shared_ptr<MixerLocks> locks_;  // the mixer's; outlive it if need be
  const std::uint64_t key_;            // names the stream in the mixer's notices
  const int rate_;
  const Callbacks callbacks_;
  std::uint64_t reportFrom_ = 0;       // delivery lock: notices of utterances before it are dropped
  // Samples from index base_ on, in a ring that only push() grows or
  // replaces: the audio thread consumes without freeing memory.
  std::vector<std::int16_t> ring_;  // size a power of two (or 0)
  std::size_t ringHead_ = 0;        // where sample base_ lies
  std::int64_t base_ = 0;
  std::int64_t pushed_ = 0;
  double readPos_ = 0;              // absolute, in source samples
  // Utterances not yet reported finished, from marksHead_ on; the audio
  // thread only moves the head (as with the commands).
  std::vector<Mark> marks_;
  std::size_t marksHead_ = 0;
  bool noMarks() const { return marksHead_ == marks_.size(); }
  void openMark();  // a new utterance at pushed_
  std::uint64_t nextId_ = 1;
  float gain_ = 1, gainTarget_ = 1;
  std::vector<float> fade_;         // what a reset cut off, faded out over 2 ms
  std::size_t fadeAt_ = 0;
  // Speech that begins after a tone was stopped must not sound before the
  // stop takes effect: a stream starting from silence waits for the voice
  // commands queued before it. Kept as the last command's stamp, not a frame:
  // before the first render the mixer cannot yet tell frames from stamps.
  Mixer* owner_ = nullptr;          // cleared when the mixer lets go of the stream
  std::optional<std::int64_t> holdStamp_;
};

}  // namespace drum
