// drumrun's terminal key decoder on any bytes, split into reads at any
// points: it never hangs on a sequence, keeps nothing once the input has
// gone quiet, gives at most one character a key, and leaves only for
// Ctrl+C. Text without escape sequences decodes the same however it is split.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/drumrun_terminal.h"

namespace {

std::vector<std::string> texts(const std::vector<drum::TerminalKey>& keys) {
  std::vector<std::string> out;
  for (const auto& k : keys) out.push_back(std::string(k.leave ? "L" : "") + (k.redraw ? "R" : "") + (k.status ? "S" : "") + k.text);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  if (size < 1) return 0;
  // The first byte chooses the read lengths (1 to 8 bytes a read).
  const unsigned pattern = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  KeyDecoder whole;
  std::vector<TerminalKey> all;
  whole.feed(bytes, all);
  whole.idle(all);
  if (whole.pending()) std::abort();

  KeyDecoder split;
  std::vector<TerminalKey> pieces;
  std::size_t at = 0;
  for (unsigned i = 0; at < bytes.size(); ++i) {
    const std::size_t n = 1 + ((pattern >> (i % 8)) & 7u);
    split.feed(bytes.substr(at, n), pieces);
    at += n;
  }
  split.idle(pieces);
  if (split.pending()) std::abort();

  std::size_t interrupts = 0;
  for (char c : bytes) interrupts += c == '\x03';
  for (const auto* keys : {&all, &pieces}) {
    std::size_t leaves = 0;
    for (const TerminalKey& k : *keys) {
      if (k.text.size() > 1) std::abort();
      leaves += k.leave;
    }
    if (leaves > interrupts) std::abort();
  }
  if (bytes.find('\x1b') == std::string_view::npos && texts(all) != texts(pieces)) std::abort();
  return 0;
}
