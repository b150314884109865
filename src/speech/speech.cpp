#include "speech/speech.h"

#include "platform/cp1250.h"
#include "platform/host.h"
#include "platform/screenreader.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "shell/settings/messages.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/standin.h"
#include "speech/voiceselection.h"

namespace drum {

bool sapi4speaking = false;
bool sapi5speaking = false;
std::shared_ptr<ITTSCentral> sapi4engine;
std::shared_ptr<TTTSNotifySink> notifysink;

namespace {

std::shared_ptr<ISpeechVoice> voice;

// A text has been handed to the engine and it has not yet fallen silent.
// SpeakText waits on this as well as on the speaking flag, so that it does not
// return in the short time before the engine's AudioStart arrives; StopSpeech
// resets such a text too.
bool sapi4handedover = false;

// While a screen reader speaks beside us, what either path would hand to its
// engine goes to the speech service the reader speaks through, with a
// priority that makes the two voices take turns: ours cuts short the
// reader's stale key echo and holds back what it says next until we are
// done. Both paths' speaking flags follow this voice's reports.
std::shared_ptr<ISpeechVoice> reader;
bool readerunavailable = false;  // no service to speak through: our own engines speak

ISpeechVoice* readerInUse() {
  if (!screenReaderRunning() || readerunavailable) return nullptr;
  if (!reader) {
    std::shared_ptr<ISpeechVoice> made = speechPlatform().CreateReaderVoice();
    made->OnEndStream = [](std::int32_t) {
      sapi5speaking = false;
      sapi4speaking = false;
      sapi4handedover = false;
    };
    if (!made->SetEventInterests(SVEStartInputStream | SVEEndInputStream).succeeded()) {
      readerunavailable = true;
      return nullptr;
    }
    reader = std::move(made);
  }
  return reader.get();
}

// The wait of a speaking operation: deliver events, blocking while there are
// none, until the condition no longer holds.
template <typename Condition>
void waitWhile(Condition condition) {
  do {
    host().waitForEvents(Millis(250));
  } while (condition());
}

void handOver(const std::string& text) {
  const bool before = sapi4handedover;
  sapi4handedover = true;
  ISpeechVoice* r = readerInUse();
  const Status status =
      r ? r->Speak(cp1250ToUtf16(text), SVSFlagsAsync)
        : sapi4engine->TextData(CHARSET_TEXT, 0, SDATA{text.c_str(), static_cast<std::uint32_t>(text.size() + 1)});
  if (!status.succeeded()) sapi4handedover = before;
  check(status);
}

}  // namespace

void TTTSNotifySink::AttribChanged(std::uint32_t) {}

void TTTSNotifySink::AudioStart(std::uint64_t) { sapi4speaking = true; }

void TTTSNotifySink::AudioStop(std::uint64_t) {
  sapi4speaking = false;
  sapi4handedover = false;
}

void TTTSNotifySink::Visual(std::uint64_t, char, char, std::uint32_t, const TTSMOUTH*) {}

ISpeechVoice& voice5() {
  if (!voice) {
    voice = speechPlatform().CreateVoice();
    voice->OnStartStream = voice5StartStream;
    voice->OnEndStream = voice5EndStream;
  }
  return *voice;
}

void voice5StartStream(std::int32_t) { sapi5speaking = true; }

void voice5EndStream(std::int32_t) { sapi5speaking = false; }

void Speak5(const std::string& text, unsigned flags) {
  ISpeechVoice* r = readerInUse();
  check((r ? *r : voice5()).Speak(cp1250ToUtf16(text), flags));
}

bool Sapi4EngineExists() { return sapi4engine != nullptr; }

void TextDataAndWait(const std::string& text) {
  if (!sapi4engine) return;
  handOver(text);
  waitWhile([] { return sapi4speaking || sapi4handedover; });
}

namespace {
std::int64_t latesttextat = -1;
void noteText(const std::string& text) {
  if (!text.empty()) latesttextat = host().nowMicros();
}
}  // namespace

std::int64_t latestTextAt() { return latesttextat; }

void SpeakText(const std::string& text) {
  noteText(text);
  if (sapi5inuse) {
    if (text.empty()) return;
    sapi5speaking = true;
    try {
      Speak5(text, SVSFlagsAsync);
    } catch (...) {
      sapi5speaking = false;
      throw;
    }
    waitWhile([] { return sapi5speaking; });
  } else if (voiceallowed && !text.empty() && sapi4engine) {
    TextDataAndWait(text);
  }
}

void SpeakTextNoWait(const std::string& text) {
  noteText(text);
  if (sapi5inuse) {
    // An empty text would say nothing; the service is not even asked.
    if (!text.empty()) Speak5(text, SVSFlagsAsync);
  } else if (voiceallowed && !text.empty() && sapi4engine) {
    handOver(text);
  }
}

void SpeakWindowText(const std::string& text) {
  noteText(text);
  if (sapi5inuse || sapi4engine || !voiceallowed || text.empty() || readerInUse()) {
    SpeakText(text);
    return;
  }
  auto done = std::make_shared<bool>(false);
  if (!standin::speak(text, [done] { *done = true; })) return;
  waitWhile([done] { return !*done; });
}

void StopSpeech() {
  standin::stop();
  if (ISpeechVoice* r = readerInUse()) {
    if (sapi5inuse || (voiceready && (sapi4speaking || sapi4handedover) && sapi4engine)) {
      sapi4handedover = false;
      check(r->Speak(std::u16string(), SVSFPurgeBeforeSpeak));
    }
    return;
  }
  if (sapi5inuse) {
    Speak5(std::string(), SVSFPurgeBeforeSpeak);
  } else if (voiceready && (sapi4speaking || sapi4handedover) && sapi4engine) {
    sapi4handedover = false;
    check(sapi4engine->AudioReset());
  }
}

void sapi4EngineReleased() {
  sapi4speaking = false;
  sapi4handedover = false;
}

void installSpeechHooks() {
  speaktexthook = SpeakText;
  enumeratorexistshook = [] { return ttsenum != nullptr; };
  // The sound server came back after a while: the player, who heard nothing
  // meanwhile, learns that the game can be heard again.
  soundreturnedhook = [] {
    try {
      SpeakTextNoWait(LocalString(kSoundBackMessage));
    } catch (...) {
    }
  };
}

void ReleaseSpeech() {
  standin::release();
  ReleaseSpeechEngines();
  sapi4engine.reset();
  notifysink.reset();
  voice.reset();
  reader.reset();
  readerunavailable = false;
  sapi4speaking = false;
  sapi5speaking = false;
  sapi4handedover = false;
}

}  // namespace drum
