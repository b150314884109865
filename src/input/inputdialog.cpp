#include "input/inputdialog.h"

#include <algorithm>

#include "input/brailletables.h"
#include "input/chordkeyboard.h"
#include "input/keyecho.h"
#include "input/screenreview.h"
#include "input/words.h"
#include "runtime/inputstring.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speech.h"
#include "speech/voicemodels.h"

namespace drum {

namespace {

InputDialogWindow* currentwindow = nullptr;

constexpr int kEdgeClick = 2;

std::string charAt(const std::string& text, int index) {
  if (index < 0 || index >= static_cast<int>(text.size())) return {};
  return std::string(1, text[static_cast<std::size_t>(index)]);
}

// A completed chord's text goes in at the caret.
void insertChordText() {
  if (inputdialog::chordtext.empty()) return;
  std::string text = currentwindow->text();
  const int caret = std::clamp(currentwindow->caret(), 0, static_cast<int>(text.size()));
  if (caret == static_cast<int>(text.size())) {
    text += inputdialog::chordtext;
    currentwindow->setText(text, static_cast<int>(text.size()));
  } else {
    text.insert(static_cast<std::size_t>(caret), inputdialog::chordtext);
    currentwindow->setText(text, caret + 1);
  }
  inputdialog::chordtext.clear();
}

// A whole line, or the words for an empty one.
void speakLine(const std::string& text) { SpeakText(text.empty() ? LocalString(29) : text); }

}  // namespace

void setInputDialogWindow(InputDialogWindow* window) {
  currentwindow = window;
  if (window)
    inputdialoghook = ShowInputDialog;
  else
    inputdialoghook = nullptr;
}

InputDialogWindow* inputDialogWindow() { return currentwindow; }

namespace inputdialog {

Captions captions;
std::string savedprefix;
std::string chordtext;
bool edgeflag = false;
bool announceedit = false;

void FormCreate() {
  captions.caption = LocalString(23);
  captions.Enterbitbtn = LocalString(7);
  captions.exitprogrambtn = LocalString(45);
  savedprefix.clear();
}

void FormClose() {
  announceedit = false;
  currentprefix.clear();
}

void inputeditEnter() {
  currentprefix.clear();
  if (!announceedit) {
    // The focus the edit gets as the dialog opens is silent.
    announceedit = true;
    return;
  }
  StopSpeech();
  if (currentwindow) speakLine(currentwindow->text());
}

void EnterbitbtnEnter() {
  StopSpeech();
  announceedit = true;
  SpeakText(captions.Enterbitbtn);
}

void exitprogrambtnEnter() {
  StopSpeech();
  announceedit = true;
  SpeakText(captions.exitprogrambtn);
}

void inputeditKeyDown(int key, ShiftState shift, const std::string& text, int caret, std::optional<char> typed) {
  StopSpeech();
  caret = std::clamp(caret, 0, static_cast<int>(text.size()));
  if (key == vk::Back) {
    click(kEdgeClick);
    if (caret == 0)
      beep();
    else
      SpeakKey(charAt(text, caret - 1));  // the character Backspace removes
  } else if (key == vk::Delete) {
    click(kEdgeClick);
    if (caret < static_cast<int>(text.size()))
      SpeakKey(charAt(text, caret));  // the character Delete removes
    else
      beep();
  } else if (key == vk::Up && shift.alt) {
    speakLine(text);
  } else if (!braillemode && key != vk::Oem2 && typed) {
    SpeakKey(std::string(1, *typed));
  }

  if ((key == vk::Up || key == vk::Down) && !shift.alt) OpenScreenReview();
  if (key == vk::F4 && shift.alt) endProgramNow();
}

bool entersEdit(char character) { return !braillemode || static_cast<unsigned char>(character) < 32; }

bool inputeditKeyPress(char character) {
  if (!braillemode) return true;
  chordtext.clear();
  chord.clear();
  const bool passes = entersEdit(character);
  ReadChord();
  currentprefix = savedprefix;  // whatever an earlier preview did to it
  TranslateChord(chord, chordtext);
  if (!chordtext.empty()) SpeakKey(chordtext.substr(0, 1));
  return passes;
}

void inputeditKeyUp(int key, ShiftState shift) {
  if (!currentwindow) return;
  if (braillemode) {
    currentprefix = savedprefix;
    TranslateChord(chord, chordtext);
    savedprefix = currentprefix;
    chord.clear();
    insertChordText();
  }

  const std::string text = currentwindow->text();
  const int size = static_cast<int>(text.size());
  const int caret = std::clamp(currentwindow->caret(), 0, size);
  switch (key) {
    case vk::Left:
      if (text.empty()) {
        edgeflag = true;
      } else if (shift.ctrl) {
        SpeakText(wordAt(text, caret));
      } else {
        SpeakKey(charAt(text, caret));
      }
      if (caret > 0)
        edgeflag = false;
      else if (edgeflag)
        beep();
      else
        edgeflag = true;
      break;
    case vk::Right:
      if (caret < size) {
        if (shift.ctrl) {
          SpeakText(wordAt(text, caret));
        } else {
          edgeflag = false;
          SpeakKey(charAt(text, caret));
        }
      } else if (!edgeflag) {
        edgeflag = true;
        click(kEdgeClick);
      } else {
        click(kEdgeClick);
        beep();
      }
      break;
    case vk::Home:
      SpeakKey(charAt(text, caret));
      break;
    case vk::End:
      click(kEdgeClick);
      beep();
      break;
    default:
      break;
  }
}

void displayChord(const std::string& dots) {
  if (!currentwindow || dots.empty()) return;
  StopSpeech();
  // What a chord on the keyboard does from its key-down to its release: the
  // text it gives is spoken, then put in.
  chord.clear();
  chordtext.clear();
  currentprefix = savedprefix;
  TranslateChord(dots, chordtext);
  savedprefix = currentprefix;
  if (!chordtext.empty()) SpeakKey(chordtext.substr(0, 1));
  insertChordText();
}

void exitprogrambtnClick() { endProgramNow(); }

std::string wordAt(const std::string& text, int caret) { return drum::wordAt(text, caret); }

}  // namespace inputdialog

std::optional<std::string> ShowInputDialog(const std::string& text) {
  if (!currentwindow) return std::nullopt;
  currentwindow->setText(text, static_cast<int>(text.size()));
  if (!currentwindow->showModal()) return std::nullopt;
  return currentwindow->text();
}

}  // namespace drum
