// The message table in Czech, English and Slovak, and the settings that
// every window reads at start-up.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace drum {

struct LanguageEntry {
  std::string name;  // Windows-1250
  int base;
};

class TResourceLocalizer {
 public:
  // Text number base + n, Windows-1250; empty when the table has none.
  static std::string LocalString(int base, int n);
  static void FillLanguageList(std::vector<LanguageEntry>& list);
  static void ReadLanguage();
  static void WriteLanguage();
  // Start-up read of the voice, sounds and keyboard settings into the flags
  // (and the two menu marks); creates the file when there is none.
  static void LoadSettings();
  // Writes voice allowed, Oskira sounds, sound volume and Braille keys.
  static void SaveSettings();
};

// FillLanguageList over any table: one entry for each base 1000, 2000, ...
// that has a text, stopping at the first that has none.
void fillLanguageList(std::vector<LanguageEntry>& list, const std::map<int, std::string>& table);

// The SAPI5 command's record of its mark (section Voice, key SAPI5).
void WriteSapi5Mark(bool on);

// Message n of the current language (languagebase).
inline std::string LocalString(int n);

// Whether the speech engine enumerator exists. The speech module installs
// the real question; without it the answer is no.
extern std::function<bool()> enumeratorexistshook;

}  // namespace drum

#include "shell/settings/flags.h"

inline std::string drum::LocalString(int n) { return TResourceLocalizer::LocalString(languagebase, n); }
