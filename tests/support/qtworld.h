// The desktop program's windows on the offscreen platform, in a private game
// folder with the shipped tables and sound bank. Speech goes to the scripted
// engines, so what is said can be read back; message boxes are answered and
// written down; SOUND, CLICK and BEEP are recorded as they are asked for.
#pragma once
#include <QEvent>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <string>
#include <vector>

#include "support/scriptedspeech.h"

namespace drum::qttest {

class World {
 public:
  // `voices`: the engine's voices, in the order the enumerator lists them.
  explicit World(std::vector<std::string> voices = {"Czech", "English"});
  virtual ~World();
  bool ok() const { return ok_; }

  std::string path(const std::string& name) const;
  void writeFile(const std::string& name, const std::string& bytes) const;
  std::string readFile(const std::string& name) const;

  scripted::Platform speech;
  std::vector<std::string> sounds;  // "1000/100/1", "300+450/100/5"
  std::vector<std::string> clicks;  // "2"
  std::vector<std::string> beeps;   // one "beep" each
  std::vector<std::string> events;  // in order: "sound 2000/20/1", "click 2", "beep"
  std::vector<std::string> boxes;   // message boxes, Windows-1250
  std::vector<std::string> errors;  // the standard error report, Windows-1250

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

// Runs `fn` from the event loop once `widget` is shown (a modal window's own loop).
void whenShown(QWidget* widget, std::function<void()> fn);

// Delivers events until `done` holds or `ms` pass; false on timeout.
bool waitfor(const std::function<bool()>& done, int ms = 10000);

}  // namespace drum::qttest
