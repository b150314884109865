// The INPUT dialog (TForm2) without its window: a one-line edit for blind
// typing. Every key is echoed, the caret's surroundings are read by character
// or by word, the ends of the text are marked by clicks and beeps, and in
// Braille mode the text is typed as chords, each spoken while it forms and
// inserted at the caret when it is released. The window turns its events into
// these calls; the INPUT statement (runtime/inputstring.h) shows it.
#pragma once
#include <optional>
#include <string>

#include "input/keycodes.h"

namespace drum {

// What the logic needs of the dialog's window.
class InputDialogWindow {
 public:
  virtual ~InputDialogWindow() = default;
  // The edit's text (Windows-1250) and the caret: characters before it.
  virtual std::string text() const = 0;
  virtual int caret() const = 0;
  virtual void setText(const std::string& text, int caret) = 0;
  // Shows the dialog modally with the focus in the edit (its first focus
  // runs inputdialog::inputeditEnter, which says nothing); true when it was
  // closed with OK. Runs inputdialog::FormClose as it closes.
  virtual bool showModal() = 0;
};

// The dialog in force. Setting one installs it as the INPUT statement's dialog.
void setInputDialogWindow(InputDialogWindow* window);
InputDialogWindow* inputDialogWindow();

namespace inputdialog {

struct Captions {
  std::string caption;         // message 23
  std::string Enterbitbtn;     // message 7
  std::string exitprogrambtn;  // message 45
};
extern Captions captions;

extern std::string savedprefix;  // the prefix as the last completed chord left it
extern std::string chordtext;    // the translation of the chord being typed
extern bool edgeflag;            // the caret has reached an end once
extern bool announceedit;        // a return of the focus to the edit is spoken

// Creation: the captions in the current language, no saved prefix.
void FormCreate();
// The dialog closes: the next first focus is silent, any prefix ends.
void FormClose();

// The focus reaches the edit or a button.
void inputeditEnter();
void EnterbitbtnEnter();
void exitprogrambtnEnter();

// A key goes down in the edit, before the edit acts on it. `text` and
// `caret` are the edit's as they stand before the key; `typed` is the
// character the key types under the current keyboard state, if any.
void inputeditKeyDown(int key, ShiftState shift, const std::string& text, int caret, std::optional<char> typed);
// Whether a typed character goes into the edit: always outside Braille mode;
// in it only control characters (Backspace, Enter), as the dot keys and every
// other printing key type chords instead.
bool entersEdit(char character);
// The character event of a key in Braille mode: the chord held now is
// spoken. Returns entersEdit(character).
bool inputeditKeyPress(char character);
// A key is released, after the edit has moved its caret: a chord is put into
// the text, and the caret's new place is read.
void inputeditKeyUp(int key, ShiftState shift);

// A chord from the Braille display's keyboard ("1" .. "123456", " " for its
// space bar), whether or not chord typing is on: spoken and put in at the
// caret as a chord typed on F D S J K L is at its release.
void displayChord(const std::string& dots);

// The button that ends the program: the memory is saved and the process ends.
void exitprogrambtnClick();

// What Ctrl with Left or Right reads at the caret (input/words.h).
std::string wordAt(const std::string& text, int caret);

}  // namespace inputdialog

// Shows the dialog modally with `text` in the edit and the caret at its end;
// the edit's text when it was closed with OK. Without a window: nothing.
std::optional<std::string> ShowInputDialog(const std::string& text);

}  // namespace drum
