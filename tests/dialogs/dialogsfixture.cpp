#include "dialogs/dialogsfixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <fstream>

#include "input/brailletables.h"
#include "input/inputdialog.h"
#include "platform/windows/qtext.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "speech/speech.h"
#include "speech/voicedialog.h"
#include "speech/voicemodels.h"

namespace drum::dialogs {

namespace {

std::string number(double v) {
  std::string s = std::to_string(v);
  s.erase(s.find_last_not_of('0') + 1);
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

void sendKey(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent event(type, key, modifiers, 0, 0, 0, text);
  QCoreApplication::sendEvent(window, &event);
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

  // Message boxes are read and answered, so no test waits on a person.
  boxes_.setInterval(10);
  QObject::connect(&boxes_, &QTimer::timeout, [this] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      (box->icon() == QMessageBox::Critical ? errors : boxes).push_back(cptext(box->text()));
      box->done(QMessageBox::Ok);
    }
  });
  boxes_.start();
  ok_ = true;
}

World::~World() {
  boxes_.stop();
  destroyWindows();
  tracehooks = TraceHooks{};
  ReleaseSpeech();
  releaseSound();
  setSpeechPlatform(nullptr);
  resetFlags();
  voicesettings::activated = false;
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

void World::start(const std::string& settings) {
  if (!settings.empty()) writeFile("drum.ini", settings);
  voicedialog = VoiceDialogModel();
  inputdialog::edgeflag = false;
  inputdialog::announceedit = false;
  keybuffer.clear();
  ram.fill(0);
  createWindows();
  desktop().Form1->show();
  activateMain();
  forget();
}

void World::activateMain() {
  TForm1& form1 = *desktop().Form1;
  form1.activateWindow();
  waitfor([&] { return form1.isActiveWindow(); });
}

void World::forget() {
  speech.log.clear();
  sounds.clear();
  clicks.clear();
  beeps.clear();
  events.clear();
}

void keyDown(QWindow* window, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  sendKey(window, QEvent::KeyPress, key, modifiers, text);
}

void keyUp(QWindow* window, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  sendKey(window, QEvent::KeyRelease, key, modifiers, text);
}

void keyClick(QWindow* window, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  keyDown(window, key, modifiers, text);
  keyUp(window, key, modifiers, text);
}

void type(QWindow* window, const QString& text) {
  for (QChar c : text) {
    const QChar upper = c.toUpper();
    const int key = upper.unicode();  // Qt's keys for ASCII letters, digits and space are their codes
    keyClick(window, key, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
  }
}

void whenShown(QDialog* dialog, std::function<void()> inside, std::function<bool()> ready, int patience,
               bool* timedout) {
  auto* poll = new QTimer(dialog);
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, dialog, [=] {
    if (!dialog->isVisible() || QApplication::activeModalWidget() != dialog || !dialog->isActiveWindow()) return;
    if (ready && !ready()) return;
    poll->stop();
    poll->deleteLater();
    inside();
  });
  poll->start();
  QTimer::singleShot(patience, dialog, [dialog, timedout] {
    if (!dialog->isVisible()) return;
    if (timedout) *timedout = true;
    dialog->reject();
  });
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

}  // namespace drum::dialogs
