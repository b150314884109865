#include "support/qtworld.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <fstream>
#include <iterator>

#include "platform/windows/qtext.h"
#include "runtime/soundsystem.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "speech/speech.h"

namespace drum::qttest {

namespace {

std::string number(double v) {
  std::string s = std::to_string(v);
  s.erase(s.find_last_not_of('0') + 1);
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

}  // namespace

World::World(std::vector<std::string> voices) : speech(std::move(voices)) {
  if (!dir_.isValid()) return;
  olddir_ = QDir::currentPath();
  QDir::setCurrent(dir_.path());
  for (const char* name : {"czech.ebt", "czech.eky", "english.eky", "slovak.eky"}) {
    if (!QFile::copy(QString::fromUtf8(DRUM_SOURCE_DIR "/data/") + QLatin1String(name),
                     dir_.filePath(QLatin1String(name))))
      return;
  }
  if (!QFile::copy(QStringLiteral(DRUM_GAME_DIR "/sounds.dat"), dir_.filePath(QStringLiteral("sounds.dat")))) return;
  setSettingsPath(path("drum.ini"));
  setSpeechPlatform(&speech);

  tracehooks.sound = [this](const std::vector<double>& values, double duration, double voice) {
    std::string v;
    for (double x : values) v += (v.empty() ? "" : "+") + number(x);
    sounds.push_back(v + "/" + number(duration) + "/" + number(voice));
    events.push_back("sound " + sounds.back());
  };
  tracehooks.click = [this](double n) {
    clicks.push_back(number(n));
    events.push_back("click " + clicks.back());
  };
  tracehooks.beep = [this] {
    beeps.push_back("beep");
    events.push_back("beep");
  };

  // Message boxes are read and answered, so no test waits on a person; once
  // active, as a person would, so that a box is said before it is answered.
  boxes_.setInterval(10);
  QObject::connect(&boxes_, &QTimer::timeout, [this] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box && box->isActiveWindow()) {
      (box->icon() == QMessageBox::Critical ? errors : boxes).push_back(cptext(box->text()));
      box->done(QMessageBox::Ok);
    }
  });
  boxes_.start();
  ok_ = true;
}

World::~World() {
  boxes_.stop();
  tracehooks = TraceHooks{};
  ReleaseSpeech();
  releaseSound();
  setSpeechPlatform(nullptr);
  resetFlags();
  QDir::setCurrent(olddir_);
}

std::string World::path(const std::string& name) const {
  return dir_.filePath(QString::fromStdString(name)).toStdString();
}

void World::writeFile(const std::string& name, const std::string& bytes) const {
  std::ofstream(path(name), std::ios::binary | std::ios::trunc) << bytes;
}

std::string World::readFile(const std::string& name) const {
  std::ifstream in(path(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void sendKey(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text,
             quint32 scancode, bool autorepeat, ulong timestamp) {
  QKeyEvent event(type, key, modifiers, scancode, 0, 0, text, autorepeat);
  event.setTimestamp(timestamp);
  QCoreApplication::sendEvent(window, &event);
}

void keyDown(QWindow* window, int key, Qt::KeyboardModifiers modifiers, const QString& text, quint32 scancode) {
  sendKey(window, QEvent::KeyPress, key, modifiers, text, scancode);
}

void keyUp(QWindow* window, int key, Qt::KeyboardModifiers modifiers, const QString& text, quint32 scancode) {
  sendKey(window, QEvent::KeyRelease, key, modifiers, text, scancode);
}

void keyClick(QWindow* window, int key, Qt::KeyboardModifiers modifiers, const QString& text, quint32 scancode) {
  keyDown(window, key, modifiers, text, scancode);
  keyUp(window, key, modifiers, text, scancode);
}

void whenShown(QWidget* widget, std::function<void()> fn) {
  auto* poll = new QTimer(qApp);
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, qApp, [poll, widget, fn = std::move(fn)] {
    if (!widget->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    fn();
  });
  poll->start();
}

bool waitfor(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

}  // namespace drum::qttest
