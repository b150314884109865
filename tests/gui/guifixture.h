// The real windows on the offscreen platform, in a private game folder with
// the shipped tables and sound bank; speech goes to the scripted engines (so
// what is said can be read back), message boxes are answered and written
// down, and every SOUND and CLICK is recorded as it is asked for.
#pragma once
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <string>
#include <vector>

#include "input/scriptedspeech.h"

namespace drum::gui {

struct Recorded {
  std::vector<std::string> sounds;  // "400/50/3", "300+450/100/5"
  std::vector<std::string> clicks;  // "16"
  std::vector<std::string> boxes;   // texts of message boxes, Windows-1250
};

// The folder, the settings file, the speech platform and the recording.
class GuiWorld {
 public:
  GuiWorld();
  ~GuiWorld();
  bool ok() const { return ok_; }
  std::string path(const std::string& name) const;
  void writeFile(const std::string& name, const std::string& bytes) const;
  std::string readFile(const std::string& name) const;

  scripted::Platform speech;
  Recorded recorded;

 private:
  QTemporaryDir dir_;
  QString olddir_;
  QTimer boxes_;
  bool ok_ = false;
};

// Key events as a window system delivers them: to the window, which hands
// them to its focus widget. `scancode` 0: an event without a native code.
// `timestamp`: the window system's time of the event in ms (0: none).
void sendKey(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = {}, quint32 scancode = 0, bool autorepeat = false, ulong timestamp = 0);
void keyDown(QWindow* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
             quint32 scancode = 0);
void keyUp(QWindow* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
           quint32 scancode = 0);
void keyClick(QWindow* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {},
              quint32 scancode = 0);

// X11 keycodes (evdev + 8) of the dot keys and Space.
constexpr quint32 kScanF = 41, kScanD = 40, kScanS = 39, kScanJ = 44, kScanK = 45, kScanL = 46, kScanSpace = 65;

// Runs `fn` from the event loop once the current command is waiting.
void soon(int ms, std::function<void()> fn);

// Runs `fn` from the event loop once `widget` is shown (a modal window's own loop).
void whenShown(QWidget* widget, std::function<void()> fn);

// Delivers events until `done` holds or `ms` pass; false on timeout.
bool waitfor(const std::function<bool()>& done, int ms = 10000);

}  // namespace drum::gui
