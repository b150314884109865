// The voice of the player's own screen reader in a browser: each text goes
// to the page's assertive live region, which the reader speaks in the
// player's voice and shows on the player's Braille display. It stands where
// the desktop has the speech service's voice (the menu's switch chooses it).
#pragma once
#include <cstdint>
#include <optional>

#include "platform/host.h"

#include "speech/sapi.h"

namespace drum {

class LiveRegionVoice : public ISpeechVoice {
 public:
  Status SetEventInterests(std::uint32_t interests) override;
  // The text is handed over at once. The page cannot learn when the reader
  // has finished it, so its stream ends after about the time a screen
  // reader's default voice takes to say it; a purge ends it at once. (Each
  // live-region text interrupts the one before, so the game must not run
  // ahead of the reader.)
  Status Speak(std::u16string_view text, std::uint32_t flags) override;
  ~LiveRegionVoice() override;

  static Millis readingTime(std::size_t characters);

 private:
  void end();
  std::int32_t streams_ = 0;
  std::int32_t open_ = 0;  // the stream being read, 0 for none
  std::optional<Host::TimerId> timer_;
};

// The words of an SSML text, as a live region must show them.
std::string ssmlText(const std::string& ssml);

}  // namespace drum
