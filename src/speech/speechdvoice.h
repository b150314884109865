// The speech service's voice on speech-dispatcher. Speak queues a message
// (priority "message", so texts follow each other as spoken; or "important",
// which interrupts every other client's message of lower priority and holds
// back the ones that come while it speaks), a purge cancels
// what is spoken and queued, the XML flag sends the text as SSML. The
// service's begin, end and cancel notifications arrive on libspeechd's thread
// and are posted to the UI thread as StartStream and EndStream.
//
// Connecting starts the service when it is not running. A voice that could
// not connect, or whose connection broke, stays silent: it accepts every text
// and reports each as a stream that starts and ends at once, so nothing waits
// for ever on a service that is not there.
#pragma once
#include <memory>
#include <string>

#include "speech/sapi.h"

namespace drum {

class SpeechdVoice : public ISpeechVoice {
 public:
  enum class Priority { Message, Important };
  explicit SpeechdVoice(Priority priority = Priority::Message);
  ~SpeechdVoice() override;
  SpeechdVoice(const SpeechdVoice&) = delete;
  SpeechdVoice& operator=(const SpeechdVoice&) = delete;

  // Connects on the first call (and again after a failed attempt).
  Status SetEventInterests(std::uint32_t interests) override;
  Status Speak(std::u16string_view text, std::uint32_t flags) override;

  bool connected() const;
  // The language the service speaks to us, as it reported it after connecting.
  std::string language() const;

  struct Impl;

 private:
  std::shared_ptr<Impl> impl_;
};

}  // namespace drum
