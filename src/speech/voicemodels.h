// The voice settings dialog as the voice selection logic sees it: a list of
// voices and three track bars, with their labels and captions. The logic
// (speech/voiceselection.h) reads and changes these models; the Qt dialog
// binds each to its widget:
//
//  - widget to model: a click in the list calls `voicelist.setItemIndex` and
//    then voicelistClick; a moved slider calls `setPosition` on its bar, which
//    runs the bar's change handler when the position really changed.
//  - model to widget: every model calls its `onUpdate` after any change of
//    what it shows, and the widget copies the model's state (with its own
//    signals blocked, so the copy does not come back as a user change).
//  - `voicedialog.isActiveWindow` answers whether the dialog is the active
//    window; the handlers speak and silence the engine only then.
//
// Texts are Windows-1250.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace drum {

// A list box, unsorted: entries and the selected index (-1: none).
class VoiceListModel {
 public:
  int count() const { return static_cast<int>(items_.size()); }
  const std::string& item(int index) const { return items_.at(index); }
  const std::vector<std::string>& items() const { return items_; }
  void append(std::string text);
  void clear();  // no entries, nothing selected

  int itemIndex() const { return itemIndex_; }
  // An index outside the entries selects nothing.
  void setItemIndex(int index);
  // The text of the selected entry; empty when nothing is selected.
  std::string selectedText() const;

  std::function<void()> onUpdate;

 private:
  void updated() { if (onUpdate) onUpdate(); }
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

// A track bar: a range, a position kept inside it, a tick frequency and an
// enabled state. As with a slider, narrowing the range moves the position into
// it, and a maximum below the minimum pulls the minimum down with it (and the
// other way round). Every change of the position, whoever made it, runs
// `onChange` (the dialog's xxxChange handler).
class TrackBarModel {
 public:
  TrackBarModel(int min, int max, int position) : min_(min), max_(max), position_(position) {}

  int min() const { return min_; }
  int max() const { return max_; }
  int position() const { return position_; }
  int frequency() const { return frequency_; }
  bool enabled() const { return enabled_; }

  void setMax(int value);
  void setMin(int value);
  void setPosition(int value);
  void setFrequency(int value);
  void setEnabled(bool value);

  std::function<void()> onChange;  // the position changed
  std::function<void()> onUpdate;  // anything shown changed

 private:
  void moveTo(int value);
  void updated() { if (onUpdate) onUpdate(); }
  int min_, max_, position_;
  int frequency_ = 1;
  bool enabled_ = true;
};

// A label: its caption (with its "&") and whether it is enabled.
struct LabelModel {
  std::string caption;
  bool enabled = true;
};

// The dialog `TForm4` as designed: bars from 0 to 10 at 0, bars and their
// labels disabled, the change handlers of the voice selection attached.
struct VoiceDialogModel {
  VoiceDialogModel();

  std::string caption;
  VoiceListModel voicelist;
  LabelModel voicestatic;
  TrackBarModel pitchtb{0, 10, 0};
  LabelModel pitchstatic;
  TrackBarModel speedtb{0, 10, 0};
  LabelModel speedstatic;
  TrackBarModel volumetb{0, 10, 0};
  LabelModel volumestatic;
  std::string vyberhlasbitbtn;  // caption of the OK button
  std::string closebitbtn;      // caption of the Cancel button

  // Whether the dialog is the active window; no window: never.
  std::function<bool()> isActiveWindow;
  bool active() const { return isActiveWindow && isActiveWindow(); }
};

// The one voice dialog of the process.
extern VoiceDialogModel voicedialog;

// Carriage return, space and comma: where word-by-word reading stops. Filled
// as the last step of the voice dialog's creation.
extern std::set<char> wordseparators;

}  // namespace drum
