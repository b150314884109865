// What the file-reader fuzz targets share: a host that keeps error reports
// to itself, and one scratch file in a folder of its own that each input is
// written to before the reader opens it.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/virtualhost.h"

namespace fuzzfile {

// Surplus reports would pile up over millions of runs; their count is tested elsewhere.
class QuietHost : public drum::VirtualHost {
 public:
  void reportError(const std::string&) override {}
};

// A fresh folder under /tmp (made once) holding a file called `name`.
inline std::string scratchpath(const char* name) {
  char pattern[] = "/tmp/drum-fuzzXXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  return std::string(pattern) + "/" + name;
}

inline void write(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace fuzzfile
