// LoadBrailleTable and TranslateChord on any file content: the load never
// fails on a readable file, the tables stay within their capacities, and
// every chord, the table's own and the space chord, translates safely.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "input/brailletables.h"
#include "fuzzfile.h"

namespace {

const std::string& tablepath() {
  static const std::string path = fuzzfile::scratchpath("czech.ebt");
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  static fuzzfile::QuietHost quiet;
  setHost(&quiet);
  fuzzfile::write(tablepath(), data, size);

  brailletablefile = tablepath();
  prefixcount = 0;
  LoadBrailleTable();  // a readable file always loads: an error here is a fault
  if (prefixcount > kMaxPrefixes || charcount > kMaxBrailleChars) std::abort();

  currentprefix.clear();
  std::string result;
  for (int i = 1; i <= charcount; ++i) {
    result.clear();
    TranslateChord(brlchars[i].dots, result);
  }
  for (int i = 1; i <= prefixcount; ++i) TranslateChord(brlprefixes[i].dots, result);
  result.clear();
  TranslateChord(" ", result);
  if (result != " " || !currentprefix.empty()) std::abort();
  return 0;
}
