// drumrun's key scripts: one key a line, handed to the program one per INKEY$.
#pragma once
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace drum {

struct ScriptKey {
  std::string line;  // as written in the script (UTF-8), for the transcript
  std::string text;  // what goes into keybuffer: one Windows-1250 character
};

// The key a script line stands for: one character (UTF-8), "\xNN", or a key
// name (space, esc, enter, backspace, up, down, left, right, shift+<arrow>).
// Nothing for a line that is none of these.
std::optional<std::string> scriptkey(const std::string& line);

// Reads a whole script; empty lines and lines starting with "//" are skipped,
// a CR before the line end is dropped. On a line that is not a key, returns
// false with `error` naming the line.
bool readScript(std::istream& in, std::vector<ScriptKey>& keys, std::string& error);

}  // namespace drum
