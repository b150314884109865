// drumrun's key script reader on any file content: it reads the script or
// names the line that is not a key, and every key it gives is one
// character for keybuffer.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/drumrun_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::istringstream in(bytes);
  std::vector<ScriptKey> keys;
  std::string error;
  if (!readScript(in, keys, error)) {
    if (error.empty()) std::abort();  // a refusal says where
    return 0;
  }
  std::size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  if (keys.size() > lines + 1) std::abort();  // at most one key a line
  for (const ScriptKey& k : keys) {
    if (k.text.size() != 1 || k.line.empty()) std::abort();
    if (scriptkey(k.line) != k.text) std::abort();  // the line stands for its key
  }
  return 0;
}
