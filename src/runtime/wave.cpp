#include "runtime/wave.h"

#include <cstring>

#include "platform/error.h"

namespace drum {
namespace {

std::uint32_t u32(const std::string& s, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + at;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t u16(const std::string& s, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data()) + at;
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
void put32(std::string& s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void put16(std::string& s, std::uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>(v >> 8));
}

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kExtensible = 0xFFFE;

}  // namespace

SampleBuffer decodeWave(const std::string& image) {
  if (image.size() < 12 || image.compare(0, 4, "RIFF") != 0 || image.compare(8, 4, "WAVE") != 0)
    throw Error("Wave is invalid");

  bool haveFormat = false, haveData = false;
  std::uint16_t tag = 0, channels = 0, bits = 0;
  std::uint32_t rate = 0;
  std::size_t dataAt = 0, dataSize = 0;
  std::size_t at = 12;
  // A chunk header that does not fit counts as the end of the image.
  while (image.size() - at >= 8) {
    const std::string id = image.substr(at, 4);
    const std::uint32_t size = u32(image, at + 4);
    at += 8;
    const std::size_t left = image.size() - at;
    if (size > left) {
      throw Error("chunk '" + id + "' of " + std::to_string(size) + " bytes runs past the end of the wave (" +
                  std::to_string(left) + " bytes left at byte " + std::to_string(at) + ")");
    }
    if (id == "fmt ") {
      if (size < 16) throw Error("chunk 'fmt ' is too short (" + std::to_string(size) + " bytes)");
      tag = u16(image, at);
      channels = u16(image, at + 2);
      rate = u32(image, at + 4);
      bits = u16(image, at + 14);
      if (tag == kExtensible && size >= 40 && u16(image, at + 24) == kPcm) tag = kPcm;
      haveFormat = true;
    } else if (id == "data") {
      dataAt = at;
      dataSize = size;
      haveData = true;
    }
    at += size;  // as stored: no rounding up to an even size
  }
  if (!haveFormat) throw Error("the wave has no 'fmt ' chunk");
  if (!haveData) throw Error("the wave has no 'data' chunk");
  if (tag != kPcm) throw Error("the wave is not PCM (format " + std::to_string(tag) + ")");
  if (channels != 1 && channels != 2)
    throw Error("the wave has " + std::to_string(channels) + " channels (1 or 2 are supported)");
  if (bits != 8 && bits != 16)
    throw Error("the wave has " + std::to_string(bits) + "-bit samples (8 or 16 are supported)");
  // Below 1000 Hz no sound of the bank is a sound any more: a click of a few
  // hundred samples would last minutes, and the program waits it out.
  if (rate < kMinWaveRate || rate > 1000000)
    throw Error("the wave's rate of " + std::to_string(rate) + " Hz is out of range (" +
                std::to_string(kMinWaveRate) + " to 1000000 Hz)");

  SampleBuffer b;
  b.rate = static_cast<int>(rate);
  b.channels = channels;
  const std::size_t bytes = bits / 8;
  const std::size_t count = dataSize / (bytes * channels) * channels;  // whole frames only
  b.samples.resize(count);
  const auto* p = reinterpret_cast<const unsigned char*>(image.data()) + dataAt;
  for (std::size_t i = 0; i < count; ++i) {
    if (bits == 8) {
      b.samples[i] = (static_cast<int>(p[i]) - 128) / 128.0f;
    } else {
      const auto v = static_cast<std::int16_t>(p[2 * i] | (p[2 * i + 1] << 8));
      b.samples[i] = v / 32768.0f;
    }
  }
  return b;
}

std::string encodeWave(const std::vector<std::int16_t>& samples, int rate, int channels) {
  std::string s = "RIFF";
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  put32(s, 36 + dataBytes);
  s += "WAVEfmt ";
  put32(s, 16);
  put16(s, kPcm);
  put16(s, static_cast<std::uint16_t>(channels));
  put32(s, static_cast<std::uint32_t>(rate));
  put32(s, static_cast<std::uint32_t>(rate * channels * 2));
  put16(s, static_cast<std::uint16_t>(channels * 2));
  put16(s, 16);
  s += "data";
  put32(s, dataBytes);
  for (std::int16_t v : samples) put16(s, static_cast<std::uint16_t>(v));
  return s;
}

}  // namespace drum
