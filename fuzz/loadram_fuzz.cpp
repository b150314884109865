// loadram on any file content: the first min(size, 65536) bytes land in
// memory, the rest of memory keeps what it had, and nothing reads past a buffer.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/error.h"
#include "runtime/oskcommands.h"

namespace {

// A scratch folder of this process, removed again when the fuzzer exits.
struct Scratch {
  Scratch() {
    char pattern[] = "/tmp/drum-fuzz-loadramXXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    dir = pattern;
    file = dir + "/ram.dat";
  }
  ~Scratch() {
    ::unlink(file.c_str());
    ::rmdir(dir.c_str());
  }
  std::string dir;
  std::string file;
};

const std::string& imagepath() {
  static const Scratch scratch;
  return scratch.file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  const std::string& path = imagepath();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);

  for (std::size_t i = 0; i < ram.size(); ++i) ram[i] = static_cast<std::uint8_t>(i * 31 + 7);
  loadram(path);  // an ordinary file always loads: an error here is a fault

  const std::size_t n = size < kRamSize ? size : kRamSize;
  if (n > 0 && std::memcmp(ram.data(), data, n) != 0) std::abort();
  for (std::size_t i = n; i < ram.size(); ++i)
    if (ram[i] != static_cast<std::uint8_t>(i * 31 + 7)) std::abort();
  return 0;
}
