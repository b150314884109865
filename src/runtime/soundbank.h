// The sound bank: named recorded waves loaded from "sounds.dat", each played
// through the mixer in as many copies as its MaxPlayingCount allows.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "runtime/mixer.h"

namespace drum {

struct SoundItem {
  std::string Name;          // Windows-1250; found without regard to case
  bool Looped = false;
  int MaxPlayingCount = 0;   // copies that may sound at once; 0 (or less): no limit
  std::string Wave;          // the RIFF WAVE image as stored
  int frequency = 0;         // playback rate; 0 = the wave's own
  int volume = 0;            // hundredths of a decibel, -10000 .. 0

  // Playback, prepared when the bank is bound to a mixer.
  std::shared_ptr<const SampleBuffer> buffer;
  struct Copy {
    Mixer::VoiceId voice;
    std::uint64_t started;   // start order, to find the oldest
  };
  std::vector<Copy> copies;
};

class SoundBank {
 public:
  ~SoundBank();
  // Replaces the whole collection; what was sounding stops. The waves are
  // decoded now (Error naming the item when one cannot be).
  void assign(std::vector<SoundItem> items);
  // Plays through `mixer` from now on (nullptr: nothing sounds, nothing waits).
  void bind(Mixer* mixer);
  void clear();
  // A load failed and was told: the bank keeps what it had; one left empty
  // is silent (no "not found" for every sound) until the next assign.
  void loadFailed() { failed_ = items_.empty(); }
  bool failed() const { return failed_; }

  std::size_t count() const { return items_.size(); }
  SoundItem& item(std::size_t i) { return items_.at(i); }
  // Throws Error "Wave '%s' not found".
  SoundItem& find(std::string_view name);

  // A different value stops the item first.
  void setLooped(SoundItem& item, bool looped);
  // Both take effect at once on a looped item that is sounding, and on every later play.
  void setFrequency(SoundItem& item, int frequency);
  void setVolume(SoundItem& item, int volume);
  // A looped item restarts and sounds until stopped (and play returns at once).
  // Otherwise a copy starts (an idle one reused; the oldest restarted when
  // MaxPlayingCount copies exist; else a new one); with `wait`, play returns
  // when that copy has finished, checking every 10 ms without delivering events.
  void play(SoundItem& item, bool wait);
  // The item and all its copies fall silent.
  void stop(SoundItem& item);
  // Whether any copy of the item is sounding.
  bool playing(const SoundItem& item) const;
  // How long one play of a non-looped item lasts, in whole milliseconds (rounded up).
  static std::int64_t nominalMillis(const SoundItem& item);

 private:
  void release(SoundItem& item);
  void prepare(SoundItem& item);
  std::vector<SoundItem> items_;
  // Each name in small letters -> its first item: every SOUND looks its
  // tones up by name, two lookups a tone.
  std::unordered_map<std::string, std::size_t> index_;
  Mixer* mixer_ = nullptr;
  std::uint64_t starts_ = 0;
  bool failed_ = false;
};

extern SoundBank soundbank;

// The component stream of "sounds.dat". `file` names the file in errors.
// Throws Error saying what broke where ("sounds.dat: ... at byte n").
std::vector<SoundItem> readSoundBank(const std::string& data, const std::string& file);
std::string writeSoundBank(const std::vector<SoundItem>& items);

}  // namespace drum
