// VAL on any text: a number, or for the "%" form the conversion error; a text
// without "%" never raises, and a "%" result is a 32-bit integer.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/error.h"
#include "runtime/oskcommands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace drum;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const bool hex = text.find('%') != std::string::npos;
  double value = 0;
  try {
    value = val(text);
  } catch (const Error& e) {
    if (!hex) std::abort();
    // The message is a C string: a NUL in the text cuts it short there.
    const std::string message = e.what();
    const bool whole = text.find('\0') == std::string::npos;
    if (message.empty() || message[0] != '\'' ||
        (whole && message.find("' is not a valid integer value") == std::string::npos))
      std::abort();
    return 0;
  }
  if (std::isnan(value)) std::abort();
  if (hex && (value != std::trunc(value) || value < -2147483648.0 || value > 2147483647.0)) std::abort();
  // What VAL gives feeds truncation and the number text without trouble.
  (void)truncate(value);
  (void)strstring(value);
  return 0;
}
