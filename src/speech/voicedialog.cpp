#include "speech/voicedialog.h"

#include <exception>
#include <string>

#include "platform/screenreader.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speech.h"
#include "speech/voicemodels.h"
#include "speech/voiceselection.h"

namespace drum::voicesettings {

bool activated = false;
bool announced = false;

namespace {

// What the engine is saying is cut short when the user moves on.
void silence() {
  if (voicedialog.active() && sapi4engine) check(sapi4engine->AudioReset());
}

// A caption as it stands (with its "&"), a space and the value. An empty
// list has no entry to name; its caption alone is said. A screen reader
// names the dialog's standard controls itself: then we say nothing.
void speakNamed(const std::string& caption, const std::string& value) {
  if (screenReaderRunning()) return;
  SpeakText(value.empty() ? caption : caption + " " + value);
}

void speakCaption(const std::string& caption) {
  if (!screenReaderRunning()) SpeakText(caption);
}

void barEnter(const LabelModel& label, const TrackBarModel& bar) {
  silence();
  speakNamed(label.caption, std::to_string(bar.position()));
}

}  // namespace

void FormActivate(const std::function<void()>& focused) {
  if (announced) {
    try {
      if (focused) focused();
    } catch (const std::exception&) {
      // Reported when the dialog was opened; see the header.
    }
    return;
  }
  announced = true;
  // The list speaks from now on even when the words below fail.
  struct SetAtEnd {
    ~SetAtEnd() { activated = true; }
  } atend;
  speakCaption(LocalString(11));
  speakNamed(voicedialog.voicestatic.caption, voicedialog.voicelist.selectedText());
}

void FormClose() { activated = announced = false; }

void voicelistEnter() {
  if (!activated) return;
  silence();
  speakNamed(voicedialog.voicestatic.caption, voicedialog.voicelist.selectedText());
}

void pitchtbEnter() { barEnter(voicedialog.pitchstatic, voicedialog.pitchtb); }
void speedtbEnter() { barEnter(voicedialog.speedstatic, voicedialog.speedtb); }
void volumetbEnter() { barEnter(voicedialog.volumestatic, voicedialog.volumetb); }

void vyberhlasbitbtnEnter() {
  silence();
  speakCaption(voicedialog.vyberhlasbitbtn);
}

void closebitbtnEnter() {
  silence();
  speakCaption(voicedialog.closebitbtn);
}

}  // namespace drum::voicesettings
