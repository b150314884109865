#include "runtime/inputstring.h"

#include "platform/error.h"

namespace drum {

std::function<std::optional<std::string>(const std::string& text)> inputdialoghook;

std::string inputstring(const std::string& text) {
  if (!inputdialoghook) throw Error("INPUT needs the window of the desktop program");
  return inputdialoghook(text).value_or(std::string());
}

}  // namespace drum
