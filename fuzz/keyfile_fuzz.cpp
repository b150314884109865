// LoadKeyFile on any file content: it loads or stops with an Error naming the
// file, and never writes outside the 256 slots.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "input/brailletables.h"
#include "platform/error.h"
#include "fuzzfile.h"

namespace {

const std::string& keypath() {
  static const std::string path = fuzzfile::scratchpath("czech.eky");
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  static fuzzfile::QuietHost quiet;
  setHost(&quiet);
  fuzzfile::write(keypath(), data, size);

  keyfile = keypath();
  try {
    LoadKeyFile();
  } catch (const Error& e) {
    if (std::string(e.what()).find(keypath()) == std::string::npos) std::abort();
  }
  std::size_t total = 0;
  for (const echokeytype& e : echokeys) total += e.text.size();
  if (total > size) std::abort();  // every text is a piece of the file
  return 0;
}
