// The speech service's voice on speech-dispatcher. Speak queues a message
// (priority "message", so texts follow each other as spoken; or "important",
// which interrupts every other client's message of lower priority and holds
// back the ones that come while it speaks), a purge cancels
// what is spoken and queued, the XML flag sends the text as SSML. The
// service's begin, end and cancel notifications arrive on libspeechd's thread
// and are posted to the UI thread as StartStream and EndStream.
//
// No libspeechd call runs on the UI thread: each connection has a thread of
// its own that connects (starting the service when it is not running) and
// then makes every call in order, so a service that never answers holds
// only that thread. The UI thread hands it texts and watches the time:
//   - a call not answered within a few seconds,
//   - a message not begun ten seconds after the service last spoke up,
//   - a begun message still going 2 s + 150 ms a character after it began,
//   - a cancel not answered by the end of what it cancelled within 3 s
// each mean the service is stuck; so does a connection that broke. The voice
// then lets go of it: what was said ends at once, the loss is reported once
// (only while the service is in use, or when a text of ours was lost), and
// texts are silent. The next text reconnects, at most once a second after
// a broken connection and once every half minute after a stuck service;
// when speech comes back after a reported loss, the voice says so once.
#pragma once
#include <functional>
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

  // Starts connecting in the background on the first call (and again when
  // no connection is left) and returns at once.
  Status SetEventInterests(std::uint32_t interests) override;
  Status Speak(std::u16string_view text, std::uint32_t flags) override;

  // Whether the service is in use now: a failure to reach it is reported
  // only then (or when a text was lost). Unset: always.
  std::function<bool()> inUse;
  // The words said once when the service answers again after a reported loss.
  std::function<std::u16string()> backNotice;

  bool connected() const;
  // A connection is being made (the service has not yet answered).
  bool connecting() const;
  // The language the service speaks to us, as it reported it after connecting.
  std::string language() const;

  struct Impl;

 private:
  std::shared_ptr<Impl> impl_;
};

}  // namespace drum
