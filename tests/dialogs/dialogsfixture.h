// The desktop program's dialogs on the offscreen platform: the real windows,
// made in their order, in a private game folder with the shipped tables and
// sound bank. Speech goes to the scripted engines, so what is said and every
// tag sent to the engine can be read back; message boxes are answered and
// written down; SOUND, CLICK and BEEP are recorded as they are asked for.
#pragma once
#include <QDialog>
#include <QEvent>
#include <QString>
#include <QTest>
#include <QWindow>
#include <functional>
#include <string>
#include <vector>

#include "support/qtworld.h"
#include "platform/cp1250.h"

namespace drum::dialogs {

// Every window made in its order, over the Qt world of the windowed tests.
class World : public qttest::World {
 public:
  // `voices`: the engine's voices, in the order the enumerator lists them.
  explicit World(std::vector<std::string> voices = {"Czech", "English", "Jakub"});
  ~World() override;

  // Settings as the user left them, then every window made.
  void start(const std::string& settings = {});

  // The main window made the active one, so that its shortcuts work (a
  // window manager does this when a dialog closes; the offscreen platform
  // does not).
  void activateMain();

  // What was said (texts only) and everything since the last forget().
  std::vector<std::string> said() const { return speech.log.texts(); }
  void forget();
};

using qttest::keyClick;
using qttest::keyDown;
using qttest::keyUp;
// Text typed key by key (ASCII letters, digits, space).
void type(QWindow* window, const QString& text);

// Runs `inside` once `dialog` is the active modal window and `ready` holds;
// a dialog still open after `patience` ms is closed with Cancel and the test
// is told so through `timedout`.
void whenShown(QDialog* dialog, std::function<void()> inside, std::function<bool()> ready = {}, int patience = 20000,
               bool* timedout = nullptr);

using qttest::waitfor;

}  // namespace drum::dialogs

// Lists of texts shown in a failed comparison, as UTF-8.
template <>
inline char* QTest::toString(const std::vector<std::string>& texts) {
  QString shown = QStringLiteral("{");
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::u16string t = drum::cp1250ToUtf16(texts[i]);
    shown += (i ? QStringLiteral(", \"") : QStringLiteral("\"")) +
             QString::fromUtf16(t.data(), static_cast<qsizetype>(t.size())) + QStringLiteral("\"");
  }
  shown += QStringLiteral("}");
  return qstrdup(shown.toUtf8().constData());
}
