#include "runtime/soundbank.h"

#include <algorithm>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/host.h"
#include "runtime/wave.h"

namespace drum {

SoundBank soundbank;

namespace {

std::string folded(std::string_view name) {
  std::string s(name);
  for (char& c : s) c = static_cast<char>(cp1250Lower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

SoundBank::~SoundBank() {
  // The mixer may already be gone at process end; forget the voices quietly.
  mixer_ = nullptr;
}

void SoundBank::release(SoundItem& item) {
  if (mixer_) {
    for (const auto& c : item.copies) mixer_->removeVoice(c.voice);
  }
  item.copies.clear();
}

void SoundBank::prepare(SoundItem& item) {
  if (!item.buffer && !item.Wave.empty()) item.buffer = std::make_shared<SampleBuffer>(decodeWave(item.Wave));
}

void SoundBank::assign(std::vector<SoundItem> items) {
  for (auto& item : items) {
    item.copies.clear();
    prepare(item);
  }
  for (auto& item : items_) release(item);
  items_ = std::move(items);
  index_.clear();
  for (std::size_t i = 0; i < items_.size(); ++i) index_.emplace(folded(items_[i].Name), i);
  failed_ = false;
}

void SoundBank::bind(Mixer* mixer) {
  for (auto& item : items_) release(item);
  mixer_ = mixer;
}

void SoundBank::clear() {
  for (auto& item : items_) release(item);
  items_.clear();
  index_.clear();
}

SoundItem& SoundBank::find(std::string_view name) {
  const auto found = index_.find(folded(name));
  if (found != index_.end()) return items_[found->second];
  throw Error("Wave '" + std::string(name) + "' not found");
}

void SoundBank::setLooped(SoundItem& item, bool looped) {
  if (item.Looped != looped) stop(item);
  item.Looped = looped;
}

void SoundBank::setFrequency(SoundItem& item, int frequency) {
  item.frequency = Mixer::clampRate(frequency);
  if (mixer_ && item.Looped && !item.copies.empty()) mixer_->setRate(item.copies.front().voice, item.frequency);
}

void SoundBank::setVolume(SoundItem& item, int volume) {
  item.volume = std::clamp(volume, static_cast<int>(Mixer::kSilence), 0);
  if (mixer_ && item.Looped && !item.copies.empty()) mixer_->setVolume(item.copies.front().voice, item.volume);
}

std::int64_t SoundBank::nominalMillis(const SoundItem& item) {
  const int rate = item.frequency > 0 ? item.frequency : item.buffer->rate;
  if (rate <= 0) return 0;
  return (static_cast<std::int64_t>(item.buffer->frames()) * 1000 + rate - 1) / rate;
}

void SoundBank::play(SoundItem& item, bool wait) {
  if (!mixer_) {
    // No output at all (drumrun's virtual clock): nothing sounds, but a
    // waited sound still takes its nominal time, so the program's pace is kept.
    if (wait && !item.Looped && item.buffer) host().sleep(Millis(nominalMillis(item)));
    return;
  }
  SoundItem::Copy* copy = nullptr;
  if (item.Looped) {
    // A looped item has one copy; playing it again starts it from the beginning.
    if (!item.copies.empty()) copy = &item.copies.front();
  } else {
    for (auto& c : item.copies) {
      if (!mixer_->isPlaying(c.voice)) {
        copy = &c;
        break;
      }
    }
    if (!copy && item.MaxPlayingCount > 0 && item.copies.size() >= static_cast<std::size_t>(item.MaxPlayingCount)) {
      copy = &*std::min_element(item.copies.begin(), item.copies.end(),
                                [](const auto& a, const auto& b) { return a.started < b.started; });
    }
  }
  if (!copy) {
    item.copies.push_back({mixer_->addVoice(item.buffer), 0});
    copy = &item.copies.back();
  }
  copy->started = ++starts_;
  const std::int64_t begin = host().nowMicros();
  mixer_->start(copy->voice, item.frequency, item.volume, item.Looped);
  if (!wait || item.Looped) return;
  // Every command takes effect the same fixed delay after it is given, at
  // its exact frame: whatever the program does once the sound's own length
  // has passed sounds after it, so the wait lasts that length and not the
  // delay on top (which made the game's key wait, a CLICK 9 of 10 ms, a pass
  // of 30 to 40 ms). A device that stops asking for frames cannot hold the
  // program either.
  const std::int64_t end = begin + nominalMillis(item) * 1000;
  while (host().nowMicros() < end) host().sleep(Millis(10));
}

void SoundBank::stop(SoundItem& item) {
  if (!mixer_) return;
  for (const auto& c : item.copies) mixer_->stop(c.voice);
}

bool SoundBank::playing(const SoundItem& item) const {
  if (!mixer_) return false;
  return std::any_of(item.copies.begin(), item.copies.end(),
                     [this](const auto& c) { return mixer_->isPlaying(c.voice); });
}

}  // namespace drum
