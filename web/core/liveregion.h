// The voice of the player's own screen reader in a browser: each text goes
// to the page's assertive live region, which the reader speaks in the
// player's voice and shows on the player's Braille display. It stands where
// the desktop has the speech service's voice (the menu's switch chooses it).
#pragma once
#include <cstdint>

#include "speech/sapi.h"

namespace drum {

class LiveRegionVoice : public ISpeechVoice {
 public:
  Status SetEventInterests(std::uint32_t interests) override;
  // The text is handed over at once. The page cannot learn when the reader
  // has finished it, nor stop it, so its stream starts and ends at once.
  Status Speak(std::u16string_view text, std::uint32_t flags) override;

 private:
  std::int32_t streams_ = 0;
};

// The words of an SSML text, as a live region must show them.
std::string ssmlText(const std::string& ssml);

}  // namespace drum
