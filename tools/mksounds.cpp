// mksounds: writes the game's sound bank. Usage: mksounds <file>
#include <cstdio>
#include <fstream>

#include "runtime/soundbank.h"
#include "soundsdesign.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mksounds <file>\n");
    return 2;
  }
  const std::string data = drum::writeSoundBank(drum::designsoundbank());
  const std::string tmp = std::string(argv[1]) + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "mksounds: Unable to write to %s\n", tmp.c_str());
      return 1;
    }
  }
  if (std::rename(tmp.c_str(), argv[1]) != 0) {
    std::fprintf(stderr, "mksounds: Unable to write to %s\n", argv[1]);
    return 1;
  }
  return 0;
}
