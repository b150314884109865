#include "shell/settings/resourcelocalizer.h"

#include <algorithm>
#include <cstdint>

#include "platform/error.h"
#include "shell/settings/inifile.h"
#include "shell/settings/messages.h"

namespace drum {

std::function<bool()> enumeratorexistshook;

std::string TResourceLocalizer::LocalString(int base, int n) {
  // A base edited by hand into the settings file can be any 32-bit number;
  // the sum must not overflow on its way to "no such text".
  const std::int64_t number = std::int64_t{base} + n;
  if (number < INT32_MIN || number > INT32_MAX) return {};
  const auto& table = messageTable();
  const auto it = table.find(static_cast<int>(number));
  return it == table.end() ? std::string() : it->second;
}

void fillLanguageList(std::vector<LanguageEntry>& list, const std::map<int, std::string>& table) {
  list.clear();
  for (std::int64_t base = 1000; base <= INT32_MAX; base += 1000) {
    const auto it = table.find(static_cast<int>(base));
    if (it == table.end()) break;
    list.push_back({it->second, static_cast<int>(base)});
  }
}

void TResourceLocalizer::FillLanguageList(std::vector<LanguageEntry>& list) { fillLanguageList(list, messageTable()); }

void TResourceLocalizer::ReadLanguage() {
  // The default stands until the file has been read: one that cannot be read
  // leaves Czech. A base without texts (edited by hand) would leave every
  // caption and message empty, so it reads as the default too.
  languagebase = 1000;
  const std::int64_t base = settingsFile().readInteger("environment", "language", 1000);
  if (base % 1000 == 0 && !LocalString(static_cast<int>(base), 0).empty()) languagebase = static_cast<int>(base);
}

void TResourceLocalizer::WriteLanguage() { settingsFile().writeInteger("environment", "language", languagebase); }

void TResourceLocalizer::LoadSettings() {
  IniFile& ini = settingsFile();
  const auto enumeratorExists = [] { return enumeratorexistshook && enumeratorexistshook(); };
  if (!ini.exists()) {
    voiceallowed = enumeratorExists();
    ini.writeBool("voice", "voiceallowed", voiceallowed);
    return;
  }
  try {
    voiceallowed = ini.readBool("voice", "voiceallowed", true);
    oskirasounds = ini.readBool("sounds", "oskirasounds", true);
    // Attenuation only: a hand-edited positive value would otherwise amplify
    // every sound far beyond full scale.
    sndvolume = static_cast<int>(std::clamp<std::int64_t>(ini.readInteger("sounds", "sndvolume", 0), -10000, 0));
    braillemode = ini.readBool("keyboard", "braillekeys", false);
    usesapi5checked = ini.readBool("Voice", "sapi5", false);
    braillekeyboardchecked = braillemode;
    brailledisplay = ini.readBool("braille", "display", true);
  } catch (const Error&) {
    // A file that cannot be read leaves the session as a missing one would.
    voiceallowed = enumeratorExists();
    throw;
  }
}

void TResourceLocalizer::SaveSettings() {
  settingsFile().write({{"voice", "voiceallowed", voiceallowed ? "1" : "0"},
                        {"sounds", "oskirasounds", oskirasounds ? "1" : "0"},
                        {"sounds", "sndvolume", std::to_string(sndvolume)},
                        {"keyboard", "braillekeys", braillemode ? "1" : "0"}});
}

void WriteSapi5Mark(bool on) { settingsFile().writeBool("Voice", "SAPI5", on); }

}  // namespace drum
