// INPUT: a line of data typed by the player. The runtime has no windows; the
// program that has them installs its INPUT dialog here.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace drum {

// Shows the INPUT dialog modally with `text` in its edit. Gives the edit's
// text (Windows-1250) when the dialog is closed with OK, nothing otherwise.
extern std::function<std::optional<std::string>(const std::string& text)> inputdialoghook;

// The INPUT statement: the line typed in the dialog, or "" when the dialog
// was closed without OK. Without a dialog it raises Error.
std::string inputstring(const std::string& text = {});

}  // namespace drum
