// The desktop program's windows on the Braille display. The display is
// taken for the window that has the focus (its X window id, which the focus
// teller of the X session reports to BRLTTY; on Wayland, which has no such
// ids, for the program while it is the active application) and given back
// when the program loses the focus. It shows, one cell a character:
// - the main window: the line of the text screen that the program writes
//   (the cursor's), with the cursor;
// - the review window: the caret's line of the copy, with the caret;
// - the INPUT dialog: the edit's text and caret, or the focused button;
// - any other dialog: the focused control's name and value.
// The display's keys act in the window that has the focus as the PC
// keyboard's keys do there.
#pragma once
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

#include "input/brailledisplay.h"

class QWidget;

namespace drum {

struct DesktopWindows;

class BrailleView : public QObject {
 public:
  explicit BrailleView(DesktopWindows& windows);
  ~BrailleView() override;

  // What was last given to the display, and its caret (-1: none).
  const std::u16string& shownText() const { return text_; }
  int shownCaret() const { return caret_; }

  // A key of the display, as its host delivers it on the UI thread.
  void key(const BrailleKey& key);

  // The text and caret that the window in front shows now.
  void refresh();

 private:
  void refocus();
  void follow(QWidget* control);
  void show(std::u16string text, int caret);
  QWidget* front() const;

  DesktopWindows& windows_;
  std::u16string text_;
  int caret_ = -1;
  bool sent_ = false;
  unsigned long focused_ = 0;  // the X window the display is taken for, or the program; 0: none
  QPointer<QWidget> followed_;
  std::vector<QMetaObject::Connection> followers_;
};

// Started by the desktop program with its windows.
BrailleView* brailleView();
void startBrailleView(DesktopWindows& windows);
void stopBrailleView();

}  // namespace drum
