#include "speech/espeakengine.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/clock.h"
#include "platform/cp1250.h"
#include "platform/host.h"
#include "runtime/mixer.h"

// A browser's page has no threads: synthesis runs on the UI thread in slices,
// one buffer at a time, through the two calls our copy of espeak-ng adds.
#ifdef __EMSCRIPTEN__
#define DRUM_SLICED_SYNTHESIS 1
extern "C" {
espeak_ng_STATUS drum_synth_begin(const void* text, unsigned int flags, void* user_data);
int drum_synth_step(void);
}
#else
#include "platform/realtime.h"
#endif

namespace drum {

namespace {

constexpr std::uint32_t kSpeedMin = espeakRATE_MINIMUM;
constexpr std::uint32_t kSpeedMax = espeakRATE_MAXIMUM;
constexpr std::uint32_t kSpeedNormal = espeakRATE_NORMAL;
constexpr std::uint16_t kPitchMax = 100;
constexpr std::uint16_t kPitchNormal = 50;
constexpr int kSilentSample = 32;  // below -60 dBFS
#ifdef DRUM_SLICED_SYNTHESIS
constexpr std::int64_t kSliceMicros = 3000;  // of synthesis per pump on the UI thread
#else
constexpr int kWorkerNice = -10;
#endif

// What one engine shares with the worker and the mixer: its stream, the
// texts it has withdrawn, and which mixer utterance carries which text.
// Lock order: this mutex, then the mixer's (taken inside the stream's calls).
struct EngineLink {
  std::mutex mutex;
  std::shared_ptr<PcmStream> stream;
  std::uint64_t cancelledUpTo = 0;                  // texts numbered up to here are dropped
  std::map<std::uint64_t, std::uint64_t> textOf;   // mixer utterance -> text number
};

struct Job {
  std::shared_ptr<EngineLink> link;
  std::uint64_t number = 0;
  std::string voice;  // espeak-ng identifier
  std::string text;   // UTF-8
  std::uint32_t speed = kSpeedNormal;
  std::uint16_t pitch = kPitchNormal;
  float gain = 1.0f;
  bool mapped = false;
  bool leading = true;  // nothing audible pushed yet
};

// The one espeak-ng of the process and the thread that synthesizes for every
// engine, one text after another. espeak-ng keeps global state, so after its
// start only the worker calls it.
class Synth {
 public:
  static Synth* get();
  ~Synth();

  const std::vector<TTSMODEINFO>& modes() const { return modes_; }
  int sampleRate() const { return rate_; }
  void submit(Job job);
  // Wakes the worker so it drops withdrawn texts without waiting.
  void poke() { wake_.notify_all(); }
  // Sliced synthesis: a few milliseconds of it.
  void pump();

 private:
  explicit Synth(int rate);
  void listModes();
  void run();
  // A job's voice and values set; false when it was withdrawn.
  bool begin(const Job& job);
  // The job's utterance ended, unless it was withdrawn meanwhile.
  void end(Job& job);
  static int callback(short* wav, int count, espeak_EVENT* events);

  const int rate_;
  std::vector<TTSMODEINFO> modes_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> queue_;
  bool stopping_ = false;
  std::atomic<bool> abort_{false};
  std::vector<std::int16_t> scratch_;
  std::string voiceSet_;
  std::thread worker_;
  std::unique_ptr<Job> slicing_;  // sliced synthesis: the job under way
};

Synth* started = nullptr;  // once espeak-ng has started

Synth* Synth::get() {
  static std::unique_ptr<Synth> synth;
  static bool tried = false;
  if (!tried) {
    tried = true;
    // The espeak_ng_ calls tell a failure; espeak_Initialize would go on
    // (or end the process) without voice data.
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    if (espeak_ng_Initialize(&context) != ENS_OK) {
      espeak_ng_ClearErrorContext(&context);
      return nullptr;
    }
    if (espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 20, nullptr) != ENS_OK) return nullptr;
    synth.reset(new Synth(espeak_ng_GetSampleRate()));
    if (synth->modes().empty()) synth.reset();
    started = synth.get();
  }
  return synth.get();
}

Synth::Synth(int rate) : rate_(rate) {
  espeak_SetSynthCallback(&Synth::callback);
  listModes();
#ifndef DRUM_SLICED_SYNTHESIS
  worker_ = std::thread([this] { run(); });
#endif
}

Synth::~Synth() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  abort_ = true;
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
  espeak_Terminate();
}

void Synth::listModes() {
  const espeak_VOICE** voices = espeak_ListVoices(nullptr);
  std::vector<const espeak_VOICE*> all;
  for (int i = 0; voices && voices[i]; ++i) all.push_back(voices[i]);
  // Slovak, Czech, English first: the game is Slovak, its messages Czech or English.
  const auto rank = [](const espeak_VOICE* v) {
    const char* language = v->languages ? v->languages + 1 : "";
    if (std::strcmp(language, "sk") == 0) return 0;
    if (std::strcmp(language, "cs") == 0) return 1;
    if (std::strncmp(language, "en", 2) == 0 && (language[2] == 0 || language[2] == '-')) return 2;
    return 3;
  };
  std::stable_sort(all.begin(), all.end(), [&](auto* a, auto* b) { return rank(a) < rank(b); });
  for (const espeak_VOICE* v : all) {
    if (!v->identifier || !v->name) continue;
    modes_.push_back({v->identifier, utf8ToCp1250(v->name)});
  }
}

void Synth::submit(Job job) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(job));
  }
  wake_.notify_all();
}

bool Synth::begin(const Job& job) {
  {
    std::lock_guard lock(job.link->mutex);
    if (job.number <= job.link->cancelledUpTo || !job.link->stream) return false;
  }
  if (job.voice != voiceSet_ && espeak_SetVoiceByName(job.voice.c_str()) == EE_OK) voiceSet_ = job.voice;
  espeak_SetParameter(espeakRATE, static_cast<int>(job.speed), 0);
  espeak_SetParameter(espeakPITCH, job.pitch, 0);
  return true;
}

void Synth::end(Job& job) {
  std::lock_guard lock(job.link->mutex);
  if (abort_ || job.number <= job.link->cancelledUpTo || !job.link->stream) return;
  // A text that made no sound still ends as an (empty) utterance, so its
  // engine hears that it is done.
  if (!job.mapped) job.link->textOf[job.link->stream->currentUtterance()] = job.number;
  job.link->stream->endUtterance();
}

#ifdef DRUM_SLICED_SYNTHESIS
void Synth::run() {}

void Synth::pump() {
  const std::int64_t deadline = monoMicros() + kSliceMicros;
  do {
    if (!slicing_) {
      if (queue_.empty()) return;
      slicing_ = std::make_unique<Job>(std::move(queue_.front()));
      queue_.pop_front();
      if (!begin(*slicing_) ||
          drum_synth_begin(slicing_->text.c_str(), espeakCHARS_UTF8, slicing_.get()) != ENS_OK) {
        end(*slicing_);
        slicing_.reset();
        continue;
      }
    }
    const bool silent = !slicing_->mapped;
    if (drum_synth_step() != ENS_OK) {
      end(*slicing_);
      slicing_.reset();
    } else if (silent && slicing_->mapped) {
      // A text's first sound goes to the output at once, not after the slice.
      return;
    }
  } while (monoMicros() < deadline);
}
#else
void Synth::pump() {}

void Synth::run() {
  // A larger share of the CPU where the system grants it, so a busy machine
  // delays the first sound of a text less. Not real time: a long text is
  // synthesized in one go, seconds of work that must not hold a core.
  raiseNice(currentThreadId(), kWorkerNice);
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    if (!begin(job)) continue;
    espeak_Synth(job.text.c_str(), job.text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &job);
    end(job);
  }
}
#endif

int Synth::callback(short* wav, int count, espeak_EVENT* events) {
  Job* job = events ? static_cast<Job*>(events->user_data) : nullptr;
  Synth* self = get();
  if (!job || !self) return 1;
  if (self->abort_) return 1;
  if (!wav || count <= 0) return 0;
  if (job->leading) {
    // A text that begins with a stop consonant begins with its closure: tens
    // of milliseconds of digital silence that only delay the first sound.
    int skip = 0;
    while (skip < count && std::abs(wav[skip]) < kSilentSample) ++skip;
    if (skip == count) return 0;
    wav += skip;
    count -= skip;
    job->leading = false;
  }
  EngineLink& link = *job->link;
  std::lock_guard lock(link.mutex);
  if (job->number <= link.cancelledUpTo || !link.stream) return 1;
  if (!job->mapped) {
    link.textOf[link.stream->currentUtterance()] = job->number;
    job->mapped = true;
  }
  if (job->gain >= 1.0f) {
    link.stream->push(wav, static_cast<std::size_t>(count));
  } else {
    self->scratch_.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) self->scratch_[i] = static_cast<std::int16_t>(wav[i] * job->gain);
    link.stream->push(self->scratch_.data(), self->scratch_.size());
  }
  return 0;
}

// ---- The engine ---------------------------------------------------------------

class EspeakEngine : public ITTSCentral, public ITTSAttributes, public std::enable_shared_from_this<EspeakEngine> {
 public:
  EspeakEngine(Synth& synth, std::string voice, std::shared_ptr<MixerAudioDestination> audio)
      : synth_(synth), voice_(std::move(voice)), audio_(std::move(audio)), link_(std::make_shared<EngineLink>()) {}
  ~EspeakEngine() override;

  Status TextData(VOICECHARSET charset, std::uint32_t flags, SDATA text) override;
  Status AudioReset() override;
  Status Inject(std::string_view tag) override;
  Status Register(std::shared_ptr<ITTSNotifySink> sink, std::uint32_t& key) override;
  Status UnRegister(std::uint32_t key) override;
  Status QueryAttributes(std::shared_ptr<ITTSAttributes>& attributes) override;

  Status SpeedGet(std::uint32_t& speed) override { return speed = speed_, Status::ok(); }
  Status SpeedSet(std::uint32_t speed) override;
  Status PitchGet(std::uint16_t& pitch) override { return pitch = pitch_, Status::ok(); }
  Status PitchSet(std::uint16_t pitch) override;
  Status VolumeGet(std::uint32_t& volume) override { return volume = volume_, Status::ok(); }
  Status VolumeSet(std::uint32_t volume) override;

 private:
  Status openStream();
  void started(std::uint64_t utterance);
  void finished(std::uint64_t utterance);
  std::uint64_t textOf(std::uint64_t utterance, bool forget);
  template <typename Call>
  void notify(Call call);

  Synth& synth_;
  const std::string voice_;
  std::shared_ptr<MixerAudioDestination> audio_;
  std::shared_ptr<EngineLink> link_;
  Mixer* mixer_ = nullptr;

  std::uint32_t speed_ = kSpeedNormal;
  std::uint16_t pitch_ = kPitchNormal;
  std::uint32_t volume_ = 0xFFFFFFFF;
  std::map<std::uint32_t, std::shared_ptr<ITTSNotifySink>> sinks_;
  std::uint32_t nextKey_ = 1;

  // UI thread: texts are numbered as they are handed over.
  std::uint64_t handedOver_ = 0;  // the latest text
  std::uint64_t resetUpTo_ = 0;   // texts up to here were withdrawn
  std::uint64_t doneUpTo_ = 0;    // texts up to here have played or were withdrawn
  bool audioActive_ = false;      // AudioStart sent, AudioStop not yet
};

EspeakEngine::~EspeakEngine() {
  std::shared_ptr<PcmStream> stream;
  {
    std::lock_guard lock(link_->mutex);
    link_->cancelledUpTo = std::numeric_limits<std::uint64_t>::max();
    stream = std::move(link_->stream);
    if (stream) stream->reset();
  }
  synth_.poke();
  if (stream && mixer_ && audio_->mixer() == mixer_) mixer_->closeStream(stream);
}

Status EspeakEngine::openStream() {
  Mixer* mixer = audio_->mixer();
  if (!mixer) return Status::failure("There is no sound output for speech");
  if (mixer == mixer_ && link_->stream) return Status::ok();
  // The sound output was made anew: what went to the old one is gone with it.
  if (link_->stream) AudioReset();

  std::weak_ptr<EspeakEngine> weak = weak_from_this();
  PcmStream::Callbacks callbacks;
  // On the rendering thread, with the mixer locked: only hand over.
  callbacks.started = [weak](std::uint64_t utterance) {
    postToHost([weak, utterance] {
      if (auto engine = weak.lock()) engine->started(utterance);
    });
  };
  callbacks.finished = [weak](std::uint64_t utterance) {
    postToHost([weak, utterance] {
      if (auto engine = weak.lock()) engine->finished(utterance);
    });
  };
  std::shared_ptr<PcmStream> fresh = mixer->openStream(synth_.sampleRate(), std::move(callbacks));
  std::shared_ptr<PcmStream> old;
  {
    std::lock_guard lock(link_->mutex);
    old = std::exchange(link_->stream, fresh);
    link_->cancelledUpTo = handedOver_;
    link_->textOf.clear();
  }
  if (old && mixer_ && audio_->mixer() == mixer_) mixer_->closeStream(old);
  mixer_ = mixer;
  return Status::ok();
}

Status EspeakEngine::TextData(VOICECHARSET charset, std::uint32_t flags, SDATA text) {
  if (charset != CHARSET_TEXT) return Status::failure("This engine speaks plain text only");
  if (flags != 0) return Status::notImplemented();
  if (!text.pData && text.dwSize > 0) return Status::failure("No text to speak");
  const char* bytes = static_cast<const char*>(text.pData);
  const std::size_t length = bytes ? strnlen(bytes, text.dwSize) : 0;
  if (Status s = openStream(); !s.succeeded()) return s;

  // Volume as a linear gain on the speech, from the mean of the two channels.
  const float gain = static_cast<float>((volume_ & 0xFFFF) + (volume_ >> 16)) / (2.0f * 0xFFFF);
  ++handedOver_;
  synth_.submit({link_, handedOver_, voice_, cp1250ToUtf8(std::string_view(bytes ? bytes : "", length)), speed_,
                 pitch_, gain});
  return Status::ok();
}

Status EspeakEngine::AudioReset() {
  const bool busy = audioActive_ || handedOver_ > doneUpTo_;
  resetUpTo_ = doneUpTo_ = handedOver_;
  audioActive_ = false;
  {
    std::lock_guard lock(link_->mutex);
    link_->cancelledUpTo = handedOver_;
    if (link_->stream) link_->stream->reset();
    link_->textOf.clear();
  }
  synth_.poke();
  if (busy) {
    std::weak_ptr<EspeakEngine> weak = weak_from_this();
    host().post([weak, at = handedOver_] {
      // Only if nothing new was handed over meanwhile: AudioStop means silent.
      if (auto engine = weak.lock(); engine && engine->handedOver_ == at)
        engine->notify([](ITTSNotifySink& s) { s.AudioStop(static_cast<std::uint64_t>(host().nowMicros())); });
    });
  }
  return Status::ok();
}

std::uint64_t EspeakEngine::textOf(std::uint64_t utterance, bool forget) {
  std::lock_guard lock(link_->mutex);
  const auto found = link_->textOf.find(utterance);
  if (found == link_->textOf.end()) return 0;
  const std::uint64_t number = found->second;
  if (forget) link_->textOf.erase(found);
  return number;
}

void EspeakEngine::started(std::uint64_t utterance) {
  const std::uint64_t number = textOf(utterance, false);
  if (number == 0 || number <= resetUpTo_ || audioActive_) return;
  audioActive_ = true;
  notify([](ITTSNotifySink& s) { s.AudioStart(static_cast<std::uint64_t>(host().nowMicros())); });
}

void EspeakEngine::finished(std::uint64_t utterance) {
  const std::uint64_t number = textOf(utterance, true);
  if (number == 0 || number <= resetUpTo_) return;
  doneUpTo_ = std::max(doneUpTo_, number);
  if (number != handedOver_) return;  // more is coming: the audio goes on
  audioActive_ = false;
  notify([](ITTSNotifySink& s) { s.AudioStop(static_cast<std::uint64_t>(host().nowMicros())); });
}

template <typename Call>
void EspeakEngine::notify(Call call) {
  // A copy: a sink may unregister itself (or anything else) while notified.
  const auto sinks = sinks_;
  for (const auto& [key, sink] : sinks) call(*sink);
}

// The number of a tag, saturated to what an unsigned 32-bit value holds;
// false when there are no digits.
bool tagNumber(std::string_view text, std::uint32_t& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size()) return false;
  std::uint64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = std::min<std::uint64_t>(v * 10 + static_cast<std::uint64_t>(text[i] - '0'), 0xFFFFFFFFull);
  }
  value = negative ? 0 : static_cast<std::uint32_t>(v);
  return true;
}

Status EspeakEngine::Inject(std::string_view tag) {
  // Any number of tags "\Name=value\"; names without regard to case; what is
  // not understood is passed over, as text between tags would be.
  std::size_t at = 0;
  while ((at = tag.find('\\', at)) != std::string_view::npos) {
    const std::size_t end = tag.find('\\', at + 1);
    if (end == std::string_view::npos) break;
    const std::string_view body = tag.substr(at + 1, end - at - 1);
    at = end + 1;
    const std::size_t equals = body.find('=');
    std::uint32_t value = 0;
    if (equals == std::string_view::npos || !tagNumber(body.substr(equals + 1), value)) continue;
    const std::string_view name = body.substr(0, equals);
    if (cp1250SameText(name, "spd")) {
      SpeedSet(value);
    } else if (cp1250SameText(name, "pit")) {
      PitchSet(static_cast<std::uint16_t>(std::min<std::uint32_t>(value, 0xFFFF)));
    } else if (cp1250SameText(name, "vol")) {
      const std::uint32_t channel = std::min<std::uint32_t>(value, 0xFFFF);
      VolumeSet(channel | (channel << 16));
    }
  }
  return Status::ok();
}

Status EspeakEngine::Register(std::shared_ptr<ITTSNotifySink> sink, std::uint32_t& key) {
  if (!sink) return Status::failure("No notification sink to register");
  key = nextKey_++;
  sinks_[key] = std::move(sink);
  return Status::ok();
}

Status EspeakEngine::UnRegister(std::uint32_t key) {
  sinks_.erase(key);
  return Status::ok();
}

Status EspeakEngine::QueryAttributes(std::shared_ptr<ITTSAttributes>& attributes) {
  attributes = std::static_pointer_cast<ITTSAttributes>(shared_from_this());
  return Status::ok();
}

Status EspeakEngine::SpeedSet(std::uint32_t speed) {
  speed_ = std::clamp(speed, kSpeedMin, kSpeedMax);
  return Status::ok();
}

Status EspeakEngine::PitchSet(std::uint16_t pitch) {
  pitch_ = std::min(pitch, kPitchMax);
  return Status::ok();
}

Status EspeakEngine::VolumeSet(std::uint32_t volume) {
  volume_ = volume;  // both channels hold 16 bits: every value is in range
  return Status::ok();
}

// ---- The enumerator ---------------------------------------------------------------

class EspeakEnum : public ITTSEnum {
 public:
  explicit EspeakEnum(Synth& synth) : synth_(synth) {}
  Status Reset() override {
    next_ = 0;
    return Status::ok();
  }
  Status Next(std::optional<TTSMODEINFO>& mode) override {
    mode.reset();
    if (next_ >= synth_.modes().size()) return Status::none();
    mode = synth_.modes()[next_++];
    return Status::ok();
  }
  Status Select(const std::string& gModeID, std::shared_ptr<IAudioMultiMediaDevice> audio,
                std::shared_ptr<ITTSCentral>& engine) override {
    auto destination = std::dynamic_pointer_cast<MixerAudioDestination>(audio);
    if (!destination) return Status::failure("The speech engine has no audio destination");
    const auto& modes = synth_.modes();
    if (std::none_of(modes.begin(), modes.end(), [&](const TTSMODEINFO& m) { return m.gModeID == gModeID; }))
      return Status::failure("The voice " + gModeID + " is not installed");
    engine = std::make_shared<EspeakEngine>(synth_, gModeID, std::move(destination));
    return Status::ok();
  }

 private:
  Synth& synth_;
  std::size_t next_ = 0;
};

}  // namespace

void pumpEspeak() {
  if (started) started->pump();
}

Status createEspeakEnumerator(std::shared_ptr<ITTSEnum>& enumerator) {
  Synth* synth = Synth::get();
  if (!synth) return Status::failure("espeak-ng cannot start: its voice data were not found");
  enumerator = std::make_shared<EspeakEnum>(*synth);
  return Status::ok();
}

std::vector<TTSMODEINFO> espeakModes() {
  Synth* synth = Synth::get();
  return synth ? synth->modes() : std::vector<TTSMODEINFO>{};
}

}  // namespace drum
