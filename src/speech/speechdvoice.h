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
// only that thread. That thread also watches the connection: one the
// service closed (it died, or was ended) is told to the UI thread at once.
// The UI thread hands it texts and watches the time:
//   - a call not answered within a few seconds,
//   - a message not begun ten seconds after the service last spoke up,
//   - a begun message still going 2 s + 150 ms a character after it began,
//   - a cancel not answered by the end of what it cancelled within 3 s
// each mean the service is stuck.
//
// A closed connection is not a stuck service: the voice connects again at
// once and says again, in full, what was cut, after "speech is back". While
// the service cannot be had (connecting fails, or takes longer than a second
// and a half for a text that waits, or the service is stuck) the stand-in voice
// speaks the texts, when one is given; without one they are silent and the
// loss is reported once (only while the service is in use, or when a text
// of ours was lost). Connecting is tried again with the next text: at once
// after a closed connection, then after one, two, four ... seconds while it
// keeps failing, and half a minute after a stuck service.
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

  // Starts connecting in the background when the service is in use (a
  // service nobody chose is not started) and returns at once.
  Status SetEventInterests(std::uint32_t interests) override;
  Status Speak(std::u16string_view text, std::uint32_t flags) override;

  // Whether the service is in use now: a failure to reach it is reported
  // only then (or when a text was lost). Unset: always.
  std::function<bool()> inUse;
  // The words said once when the service answers again after a loss.
  std::function<std::u16string()> backNotice;
  // The stand-in voice: speaks a text (UTF-8) and calls `done` on the UI
  // thread when it was spoken or cut; false when it cannot speak. Unset: none.
  std::function<bool(const std::string& text, std::function<void()> done)> standIn;
  // Cuts what the stand-in says (its pending `done`s run).
  std::function<void()> standInStop;
  // Whether the stand-in can speak at all. Unset: when it is given.
  std::function<bool()> standInReady;

  bool connected() const;
  // A connection is being made (the service has not yet answered).
  bool connecting() const;
  // The language the service speaks to us, as it reported it after connecting.
  std::string language() const;

  struct Impl;

  // Ends a service that a connection of this process started, unless
  // programs other than this one are using it (at the end of the process).
  static void endStartedService();

 private:
  std::shared_ptr<Impl> impl_;
};

}  // namespace drum
