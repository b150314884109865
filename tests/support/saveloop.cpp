// One half of the kill test: saves "ram.dat" or a settings file over and
// over, each save a complete new version, until it is killed. After the
// first save it writes one byte to its standard output, so the test knows
// that the saves have begun.
//   drum_saveloop ram <folder>        ram.dat in that folder
//   drum_saveloop settings <file>     the key sounds/sndvolume of that file
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/error.h"
#include "runtime/oskcommands.h"
#include "shell/settings/inifile.h"

namespace {

// Image number k: k in its first four bytes, every other byte derived from
// k and its address, so a torn image cannot pass for a whole one.
void fillImage(std::uint32_t k) {
  for (std::size_t i = 0; i < drum::ram.size(); ++i) drum::ram[i] = static_cast<std::uint8_t>(k * 31 + i * 7 + i / 256);
  std::memcpy(drum::ram.data(), &k, sizeof k);
}

void started() {
  static bool told = false;
  if (told) return;
  told = true;
  const char byte = '!';
  [[maybe_unused]] const ssize_t n = ::write(STDOUT_FILENO, &byte, 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: drum_saveloop ram <folder> | settings <file>\n");
    return 2;
  }
  const std::string what = argv[1];
  try {
    if (what == "ram") {
      if (::chdir(argv[2]) != 0) return 2;
      drum::loadram();
      std::uint32_t k;
      std::memcpy(&k, drum::ram.data(), sizeof k);
      for (;;) {
        fillImage(++k);
        drum::saveram();
        started();
      }
    }
    if (what == "settings") {
      drum::IniFile ini(argv[2]);
      for (std::int64_t k = ini.readInteger("sounds", "sndvolume", 0);;) {
        ini.writeInteger("sounds", "sndvolume", --k);
        started();
      }
    }
  } catch (const drum::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 2;
}
