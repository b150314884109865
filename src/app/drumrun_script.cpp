#include "app/drumrun_script.h"

#include <utility>

#include "platform/cp1250.h"

namespace drum {

namespace {

// The codes the main window puts into keybuffer for these keys.
const std::pair<const char*, int> kNames[] = {
    {"space", 32},      {"esc", 27},          {"enter", 13},        {"backspace", 8},
    {"up", 129},        {"down", 130},        {"left", 132},        {"right", 136},
    {"shift+up", 145},  {"shift+down", 146},  {"shift+left", 148},  {"shift+right", 152},
};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> scriptkey(const std::string& line) {
  for (const auto& [name, code] : kNames)
    if (line == name) return std::string(1, static_cast<char>(code));

  if (line.size() == 4 && line[0] == '\\' && line[1] == 'x') {
    const int hi = hexDigit(line[2]);
    const int lo = hexDigit(line[3]);
    if (hi >= 0 && lo >= 0) return std::string(1, static_cast<char>(hi * 16 + lo));
    return std::nullopt;
  }

  if (line.empty() || utf8Length(static_cast<unsigned char>(line[0])) != line.size()) return std::nullopt;
  // One character; it must be well formed and have a Windows-1250 code.
  const std::string text = utf8ToCp1250(line, '\0');
  if (text.size() != 1) return std::nullopt;
  if (text[0] == '\0' && line != std::string(1, '\0')) return std::nullopt;
  if (cp1250ToUtf8(text) != line) return std::nullopt;
  return text;
}

bool readScript(std::istream& in, std::vector<ScriptKey>& keys, std::string& error) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    const auto text = scriptkey(line);
    if (!text) {
      error = "line " + std::to_string(number) + " is not a key: " + line;
      return false;
    }
    keys.push_back({line, *text});
  }
  if (in.bad()) {
    error = "the script could not be read";
    return false;
  }
  return true;
}

}  // namespace drum
