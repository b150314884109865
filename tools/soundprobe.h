// Listening to what the program really played: a PulseAudio null sink of our
// own, recorded from its monitor with parec, and the few measurements the
// tests and benchmarks make on such a recording.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace drum {

// Whether a PulseAudio server answers (pactl info).
bool pulsereachable();
// Whether that server is PipeWire's (pipewire-pulse).
bool pipewireserves();

// A null sink loaded for the lifetime of the object, with a recorder on its
// monitor. Point the program at it with PULSE_SINK=name() before the audio
// device opens.
class ProbeSink {
 public:
  ProbeSink();
  ~ProbeSink();
  bool ok() const { return module_ >= 0 && recorder_ > 0; }
  const std::string& name() const { return name_; }
  const std::string& error() const { return error_; }

  // Ends the recording; returns it (48 kHz mono).
  std::vector<float> stop();
  // monoMicros at which frame k reached the sink: arrival times of the data
  // less the smallest delay seen, so the figure is late, never early.
  double timeOf(std::size_t frame) const;

 private:
  void read(int fd);
  std::string name_;
  std::string error_;
  int module_ = -1;
  int recorder_ = -1;  // parec's pid
  int pipe_ = -1;
  std::thread reader_;
  mutable std::mutex mutex_;
  std::vector<float> samples_;
  double offset_ = 1e300;  // min over chunks of arrival - frames * 1e6 / 48000
  std::vector<std::uint8_t> partial_;
};

struct Burst {
  std::size_t begin, end;  // frames
  double ms() const { return (end - begin) / 48.0; }
};

// Runs of frames louder than `level`, gaps shorter than `gap` frames bridged.
std::vector<Burst> findbursts(const std::vector<float>& x, float level, std::size_t gap = 960);
// Frequency from the rising zero crossings in [from, to).
double zerocrossingpitch(const std::vector<float>& x, std::size_t from, std::size_t to);
// The length of a sine burst between its half-amplitude points, in frames,
// with sub-frame precision (the envelope of a steady sine of frequency hz).
// Also gives where those points are.
double sinelength(const std::vector<float>& x, const Burst& b, double hz, double* begin = nullptr, double* end = nullptr);
float peakof(const std::vector<float>& x, std::size_t from, std::size_t to);

}  // namespace drum
