// Keys of the browser as the key handlers see them: the virtual-key code
// from KeyboardEvent.code and .key (the dot keys and Space by place, letters
// as the layout names them, other character keys by place), and the
// character a press types.
#pragma once
#include <optional>
#include <string>

namespace drum {

int webVirtualKey(const std::string& code, const std::string& key);
std::optional<char> webTypedCharacter(const std::string& key, bool ctrl, bool alt);
// Characters in a UTF-8 text.
int cp1250Length(const std::string& utf8);

}  // namespace drum
