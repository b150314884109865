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

World::World(std::vector<std::string> voices) : qttest::World(std::move(voices)) {}

World::~World() {
  destroyWindows();
  voicesettings::activated = false;
  voicesettings::announced = false;
}

void World::start(const std::string& settings) {
  if (!settings.empty()) writeFile("drum.ini", settings);
  voicedialog = VoiceDialogModel();
  inputdialog::edgeflag = false;
  inputdialog::announceedit = false;
  keybuffer.clear();
  resetMemory();
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

}  // namespace drum::dialogs
