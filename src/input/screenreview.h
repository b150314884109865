// The screen review: a frozen copy of the text screen that the player walks
// through with the cursor keys, hearing lines, characters and words. The
// window (TForm6) shows the copy in its read-only text box, moves the caret
// as a text box does and passes each key here with the caret position.
#pragma once
#include <string>

#include "input/keycodes.h"

namespace drum {

// What the logic needs of the review window.
class ReviewWindow {
 public:
  virtual ~ReviewWindow() = default;
  // Shows `copy` (lines ended by CR LF) in the text box, caret at the start,
  // and makes the text box the active control.
  virtual void setCopy(const std::string& copy) = 0;
  // Shows the window modally; returns when it has been closed.
  virtual void showModal() = 0;
  virtual void close() = 0;
};

// The review window in force (set by the desktop program at start-up).
void setReviewWindow(ReviewWindow* window);
ReviewWindow* reviewWindow();

// The copy on show, and the edge flag that marks a second try past an edge.
extern std::string reviewcopy;
extern bool reviewedgeflag;

// Window captions, set when the window is created.
std::string reviewCaption();       // message 26
std::string reviewCloseCaption();  // message 17

// Opens the review modally unless the program has locked it (byte 50730 is
// 1); empties `keybuffer` when it opens. Returns when the window is closed.
void OpenScreenReview();

// The copy of the screen as the review shows it: every line ended by CR LF.
std::string screenCopy();

// Key handlers of the text box. `caret` counts the characters before the
// caret in `reviewcopy` (a line end counts two). Key-up comes after the text
// box has moved the caret.
void virtualscrmemoKeyDown(int key, ShiftState shift, int caret);
void virtualscrmemoKeyUp(int key, ShiftState shift, int caret);

// A routing key of the Braille display has put the caret at `caret`: the
// character there is read as Left and Right read it.
void virtualscrmemoRoute(int caret);

// Caret arithmetic on a CR LF text, exposed for the window and for tests.
struct CaretPlace {
  int line = 0;    // from 0
  int column = 1;  // from 1
};
CaretPlace caretPlace(const std::string& text, int caret);
// Lines of the text as a text box counts them (an empty last line after the
// final line break does not count).
int textLineCount(const std::string& text);
std::string textLine(const std::string& text, int line);

}  // namespace drum
