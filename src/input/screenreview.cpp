#include "input/screenreview.h"

#include <algorithm>

#include "input/keyecho.h"
#include "input/words.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speech.h"
#include "speech/voicemodels.h"

namespace drum {

std::string reviewcopy;
bool reviewedgeflag = false;

namespace {

ReviewWindow* currentwindow = nullptr;

constexpr int kClickAtEdge = 16;

void reviewSound() { sound({300, 450}, 100, 5); }

// A second attempt past an edge is marked by a click; the first only arms it.
void edge(bool inside) {
  if (inside) {
    reviewedgeflag = false;
  } else if (!reviewedgeflag) {
    reviewedgeflag = true;
  } else {
    click(kClickAtEdge);
  }
}

int clampCaret(int caret) { return std::clamp(caret, 0, static_cast<int>(reviewcopy.size())); }

}  // namespace

void setReviewWindow(ReviewWindow* window) { currentwindow = window; }
ReviewWindow* reviewWindow() { return currentwindow; }

std::string reviewCaption() { return LocalString(26); }
std::string reviewCloseCaption() { return LocalString(17); }

std::string screenCopy() {
  std::string copy;
  for (int row = 0; row < printmemo.count(); ++row) copy += printmemo.line(row) + "\r\n";
  return copy;
}

void OpenScreenReview() {
  if (ram[kReviewLockAddress] == 1) return;
  // Without a window (the terminal runner) there is nothing to open, and the
  // key goes on to the program as its cursor code.
  if (!currentwindow) return;
  keybuffer.clear();
  reviewcopy = screenCopy();
  currentwindow->setCopy(reviewcopy);
  reviewSound();
  SpeakTextNoWait(LocalString(26));
  currentwindow->showModal();
  // Every way of closing the window gives Cancel.
  reviewSound();
  SpeakText(LocalString(30));
}

CaretPlace caretPlace(const std::string& text, int caret) {
  caret = std::clamp(caret, 0, static_cast<int>(text.size()));
  CaretPlace place;
  int lineStart = 0;
  for (std::size_t found = text.find("\r\n"); found != std::string::npos && static_cast<int>(found) < caret;
       found = text.find("\r\n", found + 2)) {
    if (static_cast<int>(found) + 2 > caret) break;  // never between CR and LF in a text box
    ++place.line;
    lineStart = static_cast<int>(found) + 2;
  }
  place.column = caret - lineStart + 1;
  return place;
}

int textLineCount(const std::string& text) {
  int lines = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    ++lines;
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

std::string textLine(const std::string& text, int line) {
  std::size_t start = 0;
  for (int i = 0; i < line; ++i) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return {};
    start = end + 2;
  }
  const std::size_t end = text.find("\r\n", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void virtualscrmemoKeyDown(int key, ShiftState shift, int caret) {
  if (voiceready) {
    StopSpeech();
    if (key == vk::F2) {
      const CaretPlace place = caretPlace(reviewcopy, clampCaret(caret));
      SpeakText(LocalString(31) + " " + std::to_string(place.line + 1) + ", " + LocalString(32) + " " +
                std::to_string(place.column));
    }
  }
  if (key == vk::Escape && currentwindow) currentwindow->close();
}

void virtualscrmemoRoute(int caret) {
  if (!voiceready) return;
  StopSpeech();
  caret = clampCaret(caret);
  edge(caret != 0 && caret != static_cast<int>(reviewcopy.size()));
  if (caret < static_cast<int>(reviewcopy.size())) SpeakKey(std::string(1, reviewcopy[caret]));
}

void virtualscrmemoKeyUp(int key, ShiftState shift, int caret) {
  if (!voiceready) return;
  caret = clampCaret(caret);
  switch (key) {
    case vk::Up:
    case vk::Down: {
      const int line = caretPlace(reviewcopy, caret).line;
      edge(line > 0 && line < textLineCount(reviewcopy));
      const std::string text = textLine(reviewcopy, line);
      SpeakText(text.empty() ? LocalString(29) : text);
      break;
    }
    case vk::Left:
    case vk::Right:
    case vk::Home:
    case vk::End: {
      edge(caret != 0 && caret != static_cast<int>(reviewcopy.size()));
      if (reviewcopy.empty()) return;
      if (shift.ctrl) {
        if (key == vk::Left || key == vk::Right) SpeakText(wordAt(reviewcopy, caret));
      } else if (caret < static_cast<int>(reviewcopy.size())) {
        SpeakKey(std::string(1, reviewcopy[caret]));
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace drum
