#include "soundsdesign.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "runtime/wave.h"

namespace drum {
namespace {

constexpr int kTableRate = 28160;          // own rate: the table sounds at 440 Hz
constexpr int kRate = 48000;               // clicks and the beep
constexpr double kToneRms = 0.3 / M_SQRT2; // every voice as loud as a sine of peak 0.3
constexpr double kCeiling = 0.89;          // -1 dBFS

std::vector<std::int16_t> quantise(const std::vector<double>& x) {
  std::vector<std::int16_t> s(x.size());
  for (std::size_t i = 0; i < x.size(); ++i)
    s[i] = static_cast<std::int16_t>(std::lround(std::clamp(x[i], -kCeiling, kCeiling) * 32767));
  return s;
}

SoundItem item(const std::string& name, const std::vector<double>& x, int rate, bool looped, int maxCopies) {
  SoundItem it;
  it.Name = name;
  it.Looped = looped;
  it.MaxPlayingCount = maxCopies;
  it.Wave = encodeWave(quantise(x), rate, 1);
  return it;
}

// One period of voice v, at matching loudness. Sine phases make every table
// start at zero, and at most six harmonics keep the highest notes of the game
// (3,500 Hz) below the Nyquist frequency of the 48 kHz output.
std::vector<double> period(int voice) {
  const std::vector<double> h = voiceharmonics(voice);
  std::vector<double> x(64, 0.0);
  for (int i = 0; i < 64; ++i)
    for (std::size_t k = 0; k < h.size(); ++k) x[i] += h[k] * std::sin(2 * M_PI * (k + 1) * i / 64);
  double rms = 0;
  for (double v : x) rms += v * v;
  rms = std::sqrt(rms / 64);
  for (double& v : x) v *= kToneRms / rms;
  return x;
}

double envelope(double t, double attack, double length) {
  if (t < 0 || t >= length) return 0;
  const double a = t < attack ? 0.5 - 0.5 * std::cos(M_PI * t / attack) : 1.0;
  return a;
}

// A decaying partial: amplitude a, frequency f, time constant tau (s).
double partial(double t, double a, double f, double tau) { return a * std::exp(-t / tau) * std::sin(2 * M_PI * f * t); }

// Fades the last `ms` milliseconds to zero, so every sound ends in silence.
void fadeTail(std::vector<double>& x, double ms) {
  const std::size_t n = std::min<std::size_t>(x.size(), static_cast<std::size_t>(ms * kRate / 1000));
  for (std::size_t i = 0; i < n; ++i) x[x.size() - 1 - i] *= 0.5 - 0.5 * std::cos(M_PI * i / n);
}

std::vector<double> samples(double ms) { return std::vector<double>(static_cast<std::size_t>(ms * kRate / 1000), 0.0); }

// The INPUT dialog's deletes: a crisp 4 ms tick of filtered noise over a high partial.
std::vector<double> crispClick() {
  std::vector<double> x = samples(4);
  std::mt19937 noise(2);
  std::uniform_real_distribution<double> u(-1, 1);
  double lp = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    lp += 0.5 * (u(noise) - lp);
    x[i] = 0.35 * lp * std::exp(-t / 0.0012) + partial(t, 0.35, 3200, 0.0015);
  }
  fadeTail(x, 1);
  return x;
}

// The review window's edge: soft and low, 12 ms.
std::vector<double> softClick() {
  std::vector<double> x = samples(12);
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    x[i] = envelope(t, 0.0015, 1) * (partial(t, 0.4, 700, 0.004) + partial(t, 0.12, 1400, 0.0025));
  }
  fadeTail(x, 3);
  return x;
}

// The ready click: two bright knocks a fifth apart, 60 ms in all.
std::vector<double> readyClick() {
  std::vector<double> x = samples(60);
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    double v = envelope(t, 0.0005, 1) * (partial(t, 0.45, 1320, 0.008) + partial(t, 0.15, 2640, 0.004));
    const double t2 = t - 0.028;
    if (t2 >= 0) v += envelope(t2, 0.0005, 1) * (partial(t2, 0.45, 1980, 0.008) + partial(t2, 0.15, 3960, 0.004));
    x[i] = v;
  }
  fadeTail(x, 5);
  return x;
}

// The other clicks: short knocks, each at its own pitch.
std::vector<double> plainClick(int n) {
  const double f = 500.0 * std::pow(2.0, n / 8.0);
  std::vector<double> x = samples(8 + n % 4 * 2);
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    x[i] = envelope(t, 0.0004, 1) * (partial(t, 0.4, f, 0.003) + partial(t, 0.1, 2.01 * f, 0.002));
  }
  fadeTail(x, 2);
  return x;
}

// About 1 kHz for 150 ms, rising and falling smoothly.
std::vector<double> beepSound() {
  std::vector<double> x = samples(150);
  const double edge = 0.012;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double end = 0.150 - t;
    const double e = t < edge ? 0.5 - 0.5 * std::cos(M_PI * t / edge)
                              : (end < edge ? 0.5 - 0.5 * std::cos(M_PI * end / edge) : 1.0);
    x[i] = e * (0.4 * std::sin(2 * M_PI * 1000 * t) + 0.06 * std::sin(2 * M_PI * 2000 * t));
  }
  return x;
}

}  // namespace

std::vector<double> voiceharmonics(int voice) {
  switch (voice) {
    case 0: return {1};                                              // sine
    case 1: return {1, 0.35, 0.12, 0.05};                            // warm flute
    case 2: return {1, 0.6, 0, 0.4, 0, 0.25};                        // organ
    case 3: return {1, 0, -1.0 / 9, 0, 1.0 / 25};                    // triangle
    case 4: return {1, 0, 1.0 / 3, 0, 1.0 / 5};                      // soft square
    case 5: return {1, 0.7, 0.5, 0.3, 0.2, 0.1};                     // reed
    case 6: return {1, 1.0 / 2, 1.0 / 3, 1.0 / 4, 1.0 / 5, 1.0 / 6}; // soft sawtooth
    case 7: return {0.6, 1, 0.5, 0.2};                               // nasal
    case 8: return {1, 0, 0.2, 0.55, 0, 0.35};                       // bell-like
    default: return {1, 0, 0, 0.5};                                  // glass: two octaves
  }
}

std::vector<SoundItem> designsoundbank() {
  std::vector<SoundItem> bank;
  for (int p = 1; p <= kPositions; ++p)
    for (int v = 0; v < kVoices; ++v)
      bank.push_back(item("snd" + std::to_string(p) + std::to_string(v), period(v), kTableRate, true, 0));
  for (int n = 0; n < kClicks; ++n) {
    std::vector<double> x;
    switch (n) {
      case 2: x = crispClick(); break;
      case 9: x = samples(10); break;  // the key wait's pacing: 10 ms of silence
      case 16: x = softClick(); break;
      case 19: x = readyClick(); break;
      default: x = plainClick(n); break;
    }
    bank.push_back(item("click" + std::to_string(n), x, kRate, false, 4));
  }
  bank.push_back(item("beep", beepSound(), kRate, false, 2));
  return bank;
}

}  // namespace drum
