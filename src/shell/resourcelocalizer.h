// The message table in Czech, English and Slovak, and the settings that
// every window reads at start-up.
#pragma once
#include <functional>
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
  static void LoadSettings();
  static void SaveSettings();
};

// Message n of the current language (languagebase).
inline std::string LocalString(int n);

// Whether the speech engine enumerator exists. The speech module installs
// the real question; without it the answer is no.
extern std::function<bool()> enumeratorexistshook;

}  // namespace drum

#include "shell/flags.h"

inline std::string drum::LocalString(int n) { return TResourceLocalizer::LocalString(languagebase, n); }
