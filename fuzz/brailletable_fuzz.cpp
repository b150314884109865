// LoadBrailleTable and TranslateChord on any file content: the load never
// fails on a readable file, the tables stay within their capacities, and
// every chord, the table's own and the space chord, translates safely.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "input/brailletables.h"
#include "platform/virtualhost.h"

namespace {

// Surplus reports would pile up over millions of runs; their count is tested elsewhere.
class QuietHost : public drum::VirtualHost {
 public:
  void reportError(const std::string&) override {}
};

const std::string& tablepath() {
  static const std::string path = [] {
    char pattern[] = "/tmp/drum-fuzz-brailletableXXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    return std::string(pattern) + "/czech.ebt";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  static QuietHost quiet;
  setHost(&quiet);
  std::FILE* f = std::fopen(tablepath().c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);

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
