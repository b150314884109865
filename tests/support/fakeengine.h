// A scripted speech platform on the virtual clock, standing in for the
// engines outside the program. Every call that reaches an engine is written
// down in `calls` ("TextData <text>", "AudioReset", "Inject \Spd=170\", ...),
// and the engines behave as the interfaces promise, in virtual time: a text
// starts playing `startDelay` after it is handed over and plays for
// `perCharacter` per byte (at least `minimum`); an AudioStop comes when the
// engine falls silent or is reset, never after a later text. The service's
// voice does the same with StartStream and EndStream.
#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/host.h"
#include "platform/virtualhost.h"
#include "speech/sapi.h"
#include "speech/speech.h"

namespace drum::fake {

struct Timing {
  std::int64_t startDelay = 5000;     // microseconds from TextData to the first sample
  std::int64_t perCharacter = 10000;  // microseconds of speech per byte
  std::int64_t minimum = 20000;
  std::int64_t length(std::size_t bytes) const {
    return std::max<std::int64_t>(minimum, perCharacter * static_cast<std::int64_t>(bytes));
  }
};

inline VirtualHost& clock() { return dynamic_cast<VirtualHost&>(host()); }

// One attribute: implemented or not, its range, its value; set clamps.
struct Range {
  bool implemented = true;
  std::uint32_t min = 0, max = 0, value = 0;
};

struct ModeScript {
  std::string id;
  std::string name;  // Windows-1250
  Range speed{true, 80, 450, 175};
  Range pitch{true, 0, 100, 50};
  Range volume{true, 0, 0xFFFFFFFF, 0xFFFFFFFF};  // two 16-bit channels
};

// A text as an engine or the service's voice took it, and when.
struct Said {
  std::string text;  // Windows-1250
  std::uint32_t flags;
  std::int64_t atMicros;
};

struct Log {
  std::vector<std::string> calls;
  Timing timing;
  // Failures to script: the answer of the named call becomes E_FAIL with this text.
  std::map<std::string, std::string> failing;

  std::vector<std::string> matching(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& c : calls)
      if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
  }
  int count(const std::string& prefix) const { return static_cast<int>(matching(prefix).size()); }
  Status answer(const std::string& call) {
    calls.push_back(call);
    const auto f = failing.find(call.substr(0, call.find(' ')));
    return f == failing.end() ? Status::ok() : Status::failure(f->second);
  }
};

class Engine : public ITTSCentral, public ITTSAttributes, public std::enable_shared_from_this<Engine> {
 public:
  Engine(Log& log, ModeScript mode) : log_(log), mode_(std::move(mode)) {}

  Status TextData(VOICECHARSET charset, std::uint32_t flags, SDATA data) override {
    const char* bytes = static_cast<const char*>(data.pData);
    const std::string text(bytes, strnlen(bytes, data.dwSize));
    lastSize = data.dwSize;
    lastCharset = charset;
    lastFlags = flags;
    Status s = log_.answer("TextData " + text);
    if (!s.succeeded()) return s;
    said.push_back({text, flags, clock().nowMicros()});
    const std::uint64_t number = ++handedOver_;
    // Texts play one after another.
    const std::int64_t now = clock().nowMicros();
    const std::int64_t begin = std::max(now + log_.timing.startDelay, busyUntil_);
    busyUntil_ = begin + log_.timing.length(text.size());
    std::weak_ptr<Engine> weak = weak_from_this();
    clock().schedule(begin, [weak, number] {
      if (auto e = weak.lock(); e && number > e->resetUpTo_ && !e->active_) {
        e->active_ = true;
        e->notify(true);
      }
    });
    clock().schedule(busyUntil_, [weak, number] {
      if (auto e = weak.lock(); e && number > e->resetUpTo_ && number == e->handedOver_) {
        e->active_ = false;
        e->notify(false);
      }
    });
    return Status::ok();
  }

  Status AudioReset() override {
    Status s = log_.answer("AudioReset");
    if (!s.succeeded()) return s;
    const bool busy = active_ || busyUntil_ > clock().nowMicros();
    resetUpTo_ = handedOver_;
    active_ = false;
    busyUntil_ = clock().nowMicros();
    if (busy) {
      std::weak_ptr<Engine> weak = weak_from_this();
      host().post([weak, at = handedOver_] {
        if (auto e = weak.lock(); e && e->handedOver_ == at) e->notify(false);
      });
    }
    return Status::ok();
  }

  Status Inject(std::string_view tag) override {
    Status s = log_.answer("Inject " + std::string(tag));
    if (!s.succeeded()) return s;
    // The three tags set the attributes, as a real engine does.
    const auto value = [&](const char* name) -> std::optional<std::uint32_t> {
      const std::string prefix = std::string("\\") + name + "=";
      if (tag.rfind(prefix, 0) != 0 || tag.back() != '\\') return std::nullopt;
      return static_cast<std::uint32_t>(std::stoll(std::string(tag.substr(prefix.size(), tag.size() - prefix.size() - 1))));
    };
    if (auto v = value("Spd"); v && mode_.speed.implemented) set(mode_.speed, *v);
    if (auto v = value("Pit"); v && mode_.pitch.implemented) set(mode_.pitch, *v);
    if (auto v = value("Vol"); v && mode_.volume.implemented) set(mode_.volume, std::min<std::uint32_t>(*v, 0xFFFF) * 0x10001u);
    return Status::ok();
  }

  Status Register(std::shared_ptr<ITTSNotifySink> sink, std::uint32_t& key) override {
    Status s = log_.answer("Register");
    if (!s.succeeded()) return s;
    key = nextKey_++;
    sinks_[key] = std::move(sink);
    return Status::ok();
  }
  Status UnRegister(std::uint32_t key) override {
    Status s = log_.answer("UnRegister " + std::to_string(key));
    if (!s.succeeded()) return s;
    sinks_.erase(key);
    return Status::ok();
  }
  Status QueryAttributes(std::shared_ptr<ITTSAttributes>& attributes) override {
    Status s = log_.answer("QueryAttributes");
    if (s.succeeded()) attributes = std::static_pointer_cast<ITTSAttributes>(shared_from_this());
    return s;
  }

  Status SpeedGet(std::uint32_t& v) override { return get(mode_.speed, v, "SpeedGet"); }
  Status SpeedSet(std::uint32_t v) override { return setCall(mode_.speed, v, "SpeedSet"); }
  Status PitchGet(std::uint16_t& v) override {
    std::uint32_t w = 0;
    Status s = get(mode_.pitch, w, "PitchGet");
    v = static_cast<std::uint16_t>(w);
    return s;
  }
  Status PitchSet(std::uint16_t v) override { return setCall(mode_.pitch, v, "PitchSet"); }
  Status VolumeGet(std::uint32_t& v) override { return get(mode_.volume, v, "VolumeGet"); }
  Status VolumeSet(std::uint32_t v) override { return setCall(mode_.volume, v, "VolumeSet"); }

  const ModeScript& mode() const { return mode_; }
  bool registered() const { return !sinks_.empty(); }
  std::vector<Said> said;  // the texts it took
  std::uint32_t lastSize = 0;
  VOICECHARSET lastCharset = CHARSET_TEXT;
  std::uint32_t lastFlags = 0;

 private:
  static void set(Range& r, std::uint32_t v) { r.value = std::clamp(v, r.min, r.max); }
  Status get(const Range& r, std::uint32_t& v, const char* name) {
    log_.calls.push_back(name);
    if (!r.implemented) return Status::notImplemented();
    v = r.value;
    return Status::ok();
  }
  Status setCall(Range& r, std::uint32_t v, const char* name) {
    log_.calls.push_back(std::string(name) + " " + std::to_string(v));
    if (!r.implemented) return Status::notImplemented();
    set(r, v);
    return Status::ok();
  }
  void notify(bool start) {
    const auto sinks = sinks_;
    for (auto& [key, sink] : sinks) {
      log_.calls.push_back(start ? "-> AudioStart" : "-> AudioStop");
      start ? sink->AudioStart(clock().nowMicros()) : sink->AudioStop(clock().nowMicros());
    }
  }

  Log& log_;
  ModeScript mode_;
  std::map<std::uint32_t, std::shared_ptr<ITTSNotifySink>> sinks_;
  std::uint32_t nextKey_ = 1;
  std::uint64_t handedOver_ = 0, resetUpTo_ = 0;
  std::int64_t busyUntil_ = 0;
  bool active_ = false;
};

class Audio : public IAudioMultiMediaDevice {};

class Enumerator : public ITTSEnum {
 public:
  Enumerator(Log& log, std::vector<ModeScript>& modes) : log_(log), modes_(modes) {}
  Status Reset() override {
    next_ = 0;
    return log_.answer("Reset");
  }
  Status Next(std::optional<TTSMODEINFO>& mode) override {
    mode.reset();
    Status s = log_.answer("Next");
    if (!s.succeeded()) return s;
    if (next_ >= modes_.size()) return Status::none();
    mode = TTSMODEINFO{modes_[next_].id, modes_[next_].name};
    ++next_;
    return s;
  }
  Status Select(const std::string& id, std::shared_ptr<IAudioMultiMediaDevice> audio,
                std::shared_ptr<ITTSCentral>& engine) override {
    Status s = log_.answer("Select " + id);
    if (!s.succeeded()) return s;
    for (const auto& m : modes_) {
      if (m.id == id) {
        auto e = std::make_shared<Engine>(log_, m);
        engines.push_back(e);
        engine = e;
        return s;
      }
    }
    return Status::failure("no such mode");
  }
  std::vector<std::shared_ptr<Engine>> engines;  // every engine made, in order

 private:
  Log& log_;
  std::vector<ModeScript>& modes_;
  std::size_t next_ = 0;
};

class Voice : public ISpeechVoice {
 public:
  // `name` begins each of its lines in the log ("Speak", "ReaderSpeak").
  explicit Voice(Log& log, std::string name = "Speak") : log_(log), name_(std::move(name)) {}
  Status SetEventInterests(std::uint32_t interests) override {
    interests_ = interests;
    return log_.answer("SetEventInterests " + std::to_string(interests));
  }
  Status Speak(std::u16string_view text, std::uint32_t flags) override {
    const std::string cp = utf16ToCp1250(text);
    Status s = log_.answer(name_ + " " + std::to_string(flags) + " " + cp);
    if (!s.succeeded()) return s;
    lastUtf16 = std::u16string(text);
    if (!text.empty()) said.push_back({cp, flags, clock().nowMicros()});
    if (flags & 2) {  // purge: what is queued or spoken ends now
      const auto purged = pending_;
      pending_.clear();
      for (std::int32_t stream : purged) end(stream);
      busyUntil_ = clock().nowMicros();
    }
    if (text.empty()) return s;
    const std::int32_t stream = ++streams_;
    pending_.insert(stream);
    const std::int64_t begin = std::max(clock().nowMicros() + log_.timing.startDelay, busyUntil_);
    busyUntil_ = begin + log_.timing.length(cp.size());
    clock().schedule(begin, [this, stream] {
      if (!pending_.count(stream)) return;
      log_.calls.push_back("-> StartStream");
      if (OnStartStream && (interests_ & SVEStartInputStream)) OnStartStream(stream);
    });
    clock().schedule(busyUntil_, [this, stream] {
      if (pending_.erase(stream)) end(stream);
    });
    return s;
  }
  std::u16string lastUtf16;
  std::vector<Said> said;  // the texts it took

 private:
  void end(std::int32_t stream) {
    log_.calls.push_back("-> EndStream");
    if (OnEndStream && (interests_ & SVEEndInputStream)) OnEndStream(stream);
  }
  Log& log_;
  std::string name_;
  std::uint32_t interests_ = SVEStartInputStream | SVEEndInputStream;
  std::set<std::int32_t> pending_;  // said, not yet ended
  std::int32_t streams_ = 0;
  std::int64_t busyUntil_ = 0;
};

class Platform : public SpeechPlatform {
 public:
  Status CreateAudioDestination(std::shared_ptr<IAudioMultiMediaDevice>& audio) override {
    Status s = log.answer("CreateAudioDestination");
    if (s.succeeded()) audio = std::make_shared<Audio>();
    return s;
  }
  Status CreateEnumerator(std::shared_ptr<ITTSEnum>& out) override {
    Status s = log.answer("CreateEnumerator");
    if (!s.succeeded()) return s;
    enumerator = std::make_shared<Enumerator>(log, modes);
    out = enumerator;
    return s;
  }
  std::shared_ptr<ISpeechVoice> CreateVoice() override {
    auto v = std::make_shared<Voice>(log);
    voice = v.get();
    return v;
  }
  std::shared_ptr<ISpeechVoice> CreateReaderVoice() override {
    auto v = std::make_shared<Voice>(log, "ReaderSpeak");
    reader = v.get();
    return v;
  }

  Engine* current() const { return enumerator && !enumerator->engines.empty() ? enumerator->engines.back().get() : nullptr; }

  Log log;
  std::vector<ModeScript> modes;
  std::shared_ptr<Enumerator> enumerator;
  Voice* voice = nullptr;
  Voice* reader = nullptr;
};

}  // namespace drum::fake
