// A speech platform for tests: engines that speak nothing but write down
// what they were given. The in-process engine reports AudioStart and
// AudioStop through the event queue after `speaktime` (virtual time), the
// service's voice its StartStream and EndStream likewise, so a waited
// utterance waits as it would with a real engine.
//
// The other stand-in, support/fakeengine.h, logs every call to the speech
// interfaces with attributes and per-byte timing, but needs the virtual
// clock. This one stays for the windows' tests, which run on Qt's own event
// loop (QtHost): its events come through whatever host is in force, and its
// log is what a player hears (texts and stops), which those tests assert on.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/host.h"
#include "platform/virtualhost.h"
#include "speech/sapi.h"
#include "speech/speech.h"

namespace drum::scripted {

struct SpeechLog {
  // Every text handed to an engine, in Windows-1250, in order; "<stop>" for
  // each silencing (AudioReset, or a purge of the service).
  std::vector<std::string> said;
  std::vector<std::string> tags;
  std::int64_t speaktime = 0;  // microseconds each utterance lasts
  int voicesmade = 0;
  std::string failing;  // when set, every TextData fails with this text

  // The texts alone, without the silencing marks.
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& s : said)
      if (s != "<stop>") out.push_back(s);
    return out;
  }
  void clear() { said.clear(); tags.clear(); }
};

inline void later(std::int64_t micros, std::function<void()> fn) {
  if (auto* v = dynamic_cast<VirtualHost*>(&host()); v && micros > 0)
    v->schedule(v->nowMicros() + micros, std::move(fn));
  else
    host().post(std::move(fn));
}

class Attributes : public ITTSAttributes {
 public:
  Status SpeedGet(std::uint32_t& v) override { v = speed; return Status::ok(); }
  Status SpeedSet(std::uint32_t v) override { speed = std::min<std::uint32_t>(std::max<std::uint32_t>(v, 80), 450); return Status::ok(); }
  Status PitchGet(std::uint16_t& v) override { v = pitch; return Status::ok(); }
  Status PitchSet(std::uint16_t v) override { pitch = std::min<std::uint16_t>(v, 99); return Status::ok(); }
  Status VolumeGet(std::uint32_t& v) override { v = volume; return Status::ok(); }
  Status VolumeSet(std::uint32_t v) override { volume = v; return Status::ok(); }
  std::uint32_t speed = 175;
  std::uint16_t pitch = 50;
  std::uint32_t volume = 0xFFFFFFFF;
};

class Engine : public ITTSCentral, public std::enable_shared_from_this<Engine> {
 public:
  explicit Engine(SpeechLog& log) : log_(log) {}
  Status TextData(VOICECHARSET, std::uint32_t, SDATA data) override {
    const std::string text(static_cast<const char*>(data.pData));
    if (!log_.failing.empty()) return Status::failure(log_.failing);
    log_.said.push_back(text);
    const std::uint64_t mine = ++generation_;
    auto self = shared_from_this();
    later(1, [self, mine] {
      if (self->generation_ == mine && !self->speaking_) {
        self->speaking_ = true;
        for (auto& s : self->sinks_) s->AudioStart(0);
      }
    });
    later(log_.speaktime + 2, [self, mine] {
      if (self->generation_ != mine) return;
      self->speaking_ = false;
      for (auto& s : self->sinks_) s->AudioStop(0);
    });
    return Status::ok();
  }
  Status AudioReset() override {
    log_.said.push_back("<stop>");
    ++generation_;
    if (speaking_) {
      speaking_ = false;
      auto self = shared_from_this();
      host().post([self] { for (auto& s : self->sinks_) s->AudioStop(0); });
    }
    return Status::ok();
  }
  Status Inject(std::string_view tag) override {
    log_.tags.emplace_back(tag);
    return Status::ok();
  }
  Status Register(std::shared_ptr<ITTSNotifySink> sink, std::uint32_t& key) override {
    sinks_.push_back(std::move(sink));
    key = static_cast<std::uint32_t>(sinks_.size());
    return Status::ok();
  }
  Status UnRegister(std::uint32_t) override { return Status::ok(); }
  Status QueryAttributes(std::shared_ptr<ITTSAttributes>& attributes) override {
    attributes = attributes_;
    return Status::ok();
  }

 private:
  SpeechLog& log_;
  std::vector<std::shared_ptr<ITTSNotifySink>> sinks_;
  std::shared_ptr<Attributes> attributes_ = std::make_shared<Attributes>();
  std::uint64_t generation_ = 0;
  bool speaking_ = false;
};

class Enum : public ITTSEnum {
 public:
  Enum(SpeechLog& log, std::vector<std::string> voices) : log_(log), voices_(std::move(voices)) {}
  Status Reset() override { next_ = 0; return Status::ok(); }
  Status Next(std::optional<TTSMODEINFO>& mode) override {
    if (next_ >= voices_.size()) { mode.reset(); return Status::none(); }
    mode = TTSMODEINFO{voices_[next_], voices_[next_]};
    ++next_;
    return Status::ok();
  }
  Status Select(const std::string&, std::shared_ptr<IAudioMultiMediaDevice>, std::shared_ptr<ITTSCentral>& engine) override {
    engine = std::make_shared<Engine>(log_);
    return Status::ok();
  }

 private:
  SpeechLog& log_;
  std::vector<std::string> voices_;
  std::size_t next_ = 0;
};

class Voice : public ISpeechVoice, public std::enable_shared_from_this<Voice> {
 public:
  explicit Voice(SpeechLog& log) : log_(log) {}
  Status SetEventInterests(std::uint32_t) override { return Status::ok(); }
  Status Speak(std::u16string_view text, std::uint32_t flags) override {
    if (flags & SVSFPurgeBeforeSpeak) {
      log_.said.push_back("<stop>");
      ++generation_;
    }
    if (text.empty()) {
      if (!(flags & SVSFPurgeBeforeSpeak)) return Status::ok();
      // A purge ends the stream being spoken.
      host().post([self = weak_from_this()] {
        if (auto v = self.lock(); v && v->OnEndStream) v->OnEndStream(0);
      });
      return Status::ok();
    }
    log_.said.push_back(utf16ToCp1250(text));
    const std::uint64_t mine = ++generation_;
    // The voice may be gone (released between tests) before its events come.
    later(1, [self = weak_from_this()] {
      if (auto v = self.lock(); v && v->OnStartStream) v->OnStartStream(0);
    });
    later(log_.speaktime + 2, [self = weak_from_this(), mine] {
      if (auto v = self.lock(); v && v->generation_ == mine && v->OnEndStream) v->OnEndStream(0);
    });
    return Status::ok();
  }

 private:
  SpeechLog& log_;
  std::uint64_t generation_ = 0;
};

class Audio : public IAudioMultiMediaDevice {};

class Platform : public SpeechPlatform {
 public:
  explicit Platform(std::vector<std::string> voices = {"Czech", "English"}) : voices_(std::move(voices)) {}
  Status CreateAudioDestination(std::shared_ptr<IAudioMultiMediaDevice>& audio) override {
    audio = std::make_shared<Audio>();
    return Status::ok();
  }
  Status CreateEnumerator(std::shared_ptr<ITTSEnum>& enumerator) override {
    if (!installed) return Status::failure("Class not registered");
    enumerator = std::make_shared<Enum>(log, voices_);
    return Status::ok();
  }
  std::shared_ptr<ISpeechVoice> CreateVoice() override {
    ++log.voicesmade;
    return std::make_shared<Voice>(log);
  }

  SpeechLog log;
  bool installed = true;  // false: the in-process engines are not there

 private:
  std::vector<std::string> voices_;
};

}  // namespace drum::scripted
