#include "input/keyecho.h"

#include "input/brailletables.h"
#include "platform/cp1250.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"
#include "speech/speech.h"

namespace drum {

namespace {

// Small letter at each odd place (counting from 1), its capital at the next;
// the closing "§" stands alone at an odd place, so it is no capital.
const std::string& capitalTable() {
  static const std::string table = cp("áÁäÄčČďĎéÉěĚíÍĺĹľĽňŇóÓôÔöÖŕŔřŘšŠťŤúÚůŮüÜýÝžŽ§");
  return table;
}

}  // namespace

bool IsCapitalLetter(char c) {
  const auto code = static_cast<unsigned char>(c);
  if (code < 128) return c >= 'A' && c <= 'Z';
  const auto at = capitalTable().find(c);
  return at != std::string::npos && (at + 1) % 2 == 0;
}

void SpeakKey(const std::string& text) {
  if (!voiceready) return;
  if (text.empty() || text == std::string(1, '\0')) return;
  if (text.size() == 1 && IsCapitalLetter(text[0])) sound({2000}, 20, 1);

  const auto code = static_cast<unsigned char>(text[0]);
  const echokeytype* entry = nullptr;
  for (const echokeytype& e : echokeys) {
    if (e.code == code) {
      entry = &e;
      break;
    }
  }
  if (!entry || entry->text.empty()) return;

  if (sapi5inuse) {
    Speak5(entry->text, SVSFlagsAsync | SVSFIsXML);
  } else if (Sapi4EngineExists()) {
    TextDataAndWait(entry->text);
  }
}

}  // namespace drum
