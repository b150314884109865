#include "speech/voicemodels.h"

#include <algorithm>

#include "speech/voiceselection.h"

namespace drum {

VoiceDialogModel voicedialog;
std::set<char> wordseparators;

void VoiceListModel::append(std::string text) {
  items_.push_back(std::move(text));
  updated();
}

void VoiceListModel::clear() {
  items_.clear();
  itemIndex_ = -1;
  updated();
}

void VoiceListModel::setItemIndex(int index) {
  itemIndex_ = index >= 0 && index < count() ? index : -1;
  updated();
}

std::string VoiceListModel::selectedText() const { return itemIndex_ >= 0 ? items_[itemIndex_] : std::string(); }

void TrackBarModel::setMax(int value) {
  max_ = value;
  min_ = std::min(min_, max_);
  updated();
  moveTo(position_);
}

void TrackBarModel::setMin(int value) {
  min_ = value;
  max_ = std::max(min_, max_);
  updated();
  moveTo(position_);
}

void TrackBarModel::setPosition(int value) { moveTo(value); }

void TrackBarModel::moveTo(int value) {
  value = std::clamp(value, min_, max_);
  if (value == position_) return;
  position_ = value;
  updated();
  if (onChange) onChange();
}

void TrackBarModel::setFrequency(int value) {
  frequency_ = value;
  updated();
}

void TrackBarModel::setEnabled(bool value) {
  enabled_ = value;
  updated();
}

VoiceDialogModel::VoiceDialogModel() {
  for (TrackBarModel* bar : {&pitchtb, &speedtb, &volumetb}) bar->setEnabled(false);
  for (LabelModel* label : {&pitchstatic, &speedstatic, &volumestatic}) label->enabled = false;
  pitchtb.onChange = pitchtbChange;
  speedtb.onChange = speedtbChange;
  volumetb.onChange = volumetbChange;
}

}  // namespace drum
