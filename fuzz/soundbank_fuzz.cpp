// The sound bank reader on any bytes: an Error naming the file, or items
// whose waves decode; never a crash or a read outside the data.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/error.h"
#include "runtime/soundbank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const auto items = drum::readSoundBank(bytes, "sounds.dat");
    for (const auto& item : items) {
      if (item.buffer && item.buffer->samples.size() % static_cast<std::size_t>(item.buffer->channels) != 0) __builtin_trap();
    }
  } catch (const drum::Error&) {
  }
  return 0;
}
