// The voice settings dialog, opened with its menu shortcut and walked with the
// keyboard: what each control says, what reaches the engine, what is stored.
#include "speech/voicedialog.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <memory>

#include "dialogs/dialogsfixture.h"
#include "dialogs/dialogstests.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/session/startup.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "speech/voiceselection.h"
#include "speech/windows/form4.h"

namespace drum::dialogs {

namespace {

QString accessibleNameOf(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

using Texts = std::vector<std::string>;

}  // namespace

class VoiceDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<World> world;
  TForm4& form4() { return *desktop().Form4; }
  TForm1& form1() { return *desktop().Form1; }
  QWindow* dialogWindow() { return form4().windowHandle(); }

  // Ctrl+H in the main window, with `inside` run once the dialog has spoken
  // its activation.
  void open(std::function<void()> inside) {
    bool timedout = false, ran = false;
    whenShown(
        &form4(),
        [&ran, inside = std::move(inside)] {
          ran = true;
          inside();
        },
        [] { return voicesettings::activated; }, 20000, &timedout);
    world->activateMain();
    QTest::keyClick(&form1(), Qt::Key_H, Qt::ControlModifier);
    QVERIFY(ran);
    QVERIFY(!timedout);
    QVERIFY(!form4().isVisible());
  }
  // Another application takes the focus, then the dialog gets it back.
  void switchawayandback() {
    QWidget other(&form4(), Qt::Window);  // not blocked by the modal dialog
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(waitfor([&] { return other.isActiveWindow(); }));
    form4().activateWindow();
    QVERIFY(waitfor([&] { return form4().isActiveWindow(); }));
    QTest::qWait(30);
  }
  QString focusName() const {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
  }

 private slots:
  void init() {
    world = std::make_unique<World>();
    QVERIFY(world->ok());
  }
  void cleanup() {
    QCOMPARE(world->errors, Texts{});
    world.reset();
  }

  void theDialogAsDesigned() {
    world->start("[environment]\nlanguage=2000\n");
    QCOMPARE(form4().size(), QSize(521, 388));
    QCOMPARE(form4().windowTitle(), QStringLiteral("Voice settings"));
    // The captions as they stand, and the names a screen reader gives.
    QCOMPARE(form4().voicestatic()->text(), QStringLiteral("&Voices"));
    const std::vector<std::pair<QWidget*, QString>> names = {
        {form4().voicelist(), QStringLiteral("Voices")},
        {form4().pitchtb(), QStringLiteral("Pitch")},
        {form4().speedtb(), QStringLiteral("Speed")},
        {form4().volumetb(), QStringLiteral("Volume")},
        {form4().vyberhlasbitbtn(), QStringLiteral("Choose voice")},
        {form4().closebitbtn(), QStringLiteral("Close")},
        {form4().voicestatic(), QStringLiteral("Voices")},
        {form4().volumestatic(), QStringLiteral("Volume")}};
    for (const auto& [widget, name] : names) QCOMPARE(accessibleNameOf(widget), name);
    // Voices listed in enumeration order, "Jakub" chosen although third.
    QCOMPARE(form4().voicelist()->count(), 3);
    QCOMPARE(form4().voicelist()->currentRow(), 2);
    // The bars wait for a voice to be selected.
    QVERIFY(!form4().pitchtb()->isEnabled());
    QVERIFY(!form4().pitchstatic()->isEnabled());
    QCOMPARE(form4().pitchtb()->maximum(), 10);
    QVERIFY(form1().action(MenuItem::Voicesubmenu)->isEnabled());
  }

  void theFocusWalkSaysEachControlAndItsValue() {
    world->start("[environment]\nlanguage=2000\n");
    Texts opening, walk, chain;
    QSize size;
    open([&] {
      opening = world->said();
      size = form4().size();
      chain.push_back(focusName().toStdString());
      world->forget();
      for (int i = 0; i < 5; ++i) {
        keyClick(dialogWindow(), Qt::Key_Tab);
        chain.push_back(focusName().toStdString());
      }
      keyClick(dialogWindow(), Qt::Key_Backtab, Qt::ShiftModifier);
      walk = world->said();
      world->forget();
      keyClick(dialogWindow(), Qt::Key_Escape);
    });
    QCOMPARE(opening, (Texts{"Voice settings", "&Voices Jakub"}));
    QCOMPARE(size, QSize(521, 388));
    QCOMPARE(chain, (Texts{"voicelist", "pitchtb", "speedtb", "volumetb", "vyberhlasbitbtn", "closebitbtn"}));
    QCOMPARE(walk, (Texts{"&Pitch 50", "&Speed 175", "Vo&lume 255", "&Choose voice", "&Close", "&Choose voice"}));
    // Closed with Esc: the main window's caption.
    QCOMPARE(world->said(), Texts{mainWindowCaption()});
  }

  void aBarStepSilencesSendsItsTagAndSaysItsNumber() {
    world->start("[environment]\nlanguage=2000\n");
    Texts label, said;
    std::vector<std::string> tags;
    open([&] {
      world->forget();
      // The label's accelerator takes the focus to its bar.
      QTest::keyClick(&form4(), Qt::Key_S, Qt::AltModifier);
      label = world->said();
      world->forget();
      keyClick(dialogWindow(), Qt::Key_Right);
      said = world->speech.log.said;
      tags = world->speech.log.tags;
      keyClick(dialogWindow(), Qt::Key_Return);  // the choose button is the default
    });
    QCOMPARE(label, Texts{"&Speed 175"});
    QCOMPARE(said, (Texts{"<stop>", "176"}));
    QCOMPARE(tags, (Texts{"\\Spd=176\\"}));
    QCOMPARE(settingsFile().readInteger("Voice", "speed", 0), 176);
    QCOMPARE(settingsFile().readString("Voice", "person", ""), std::string("Jakub"));
    QCOMPARE(world->said().back(), std::string("Voice selected."));
    // The stored value was applied to the engine made after OK.
    QCOMPARE(world->speech.log.tags.back(), std::string("\\Spd=176\\"));
  }

  void okStoresTheVoiceChosenInTheListAndSelectsIt() {
    world->start("[environment]\nlanguage=2000\n");
    Texts said;
    open([&] {
      world->forget();
      keyClick(dialogWindow(), Qt::Key_Up);
      said = world->speech.log.said;
      keyClick(dialogWindow(), Qt::Key_Return);
    });
    QCOMPARE(said, (Texts{"<stop>", "English"}));
    QCOMPARE(settingsFile().readString("Voice", "person", ""), std::string("English"));
    QVERIFY(chosenmode && chosenmode->szModeName == "English");
    QCOMPARE(world->said().back(), std::string("Voice selected."));
  }

  void cancelKeepsTheFileAndTheEngineAsLeft() {
    world->start("[environment]\nlanguage=2000\n");
    // The first showing stores the chosen voice with the engine's values, as
    // a first Start does.
    open([&] { keyClick(dialogWindow(), Qt::Key_Escape); });
    QCOMPARE(settingsFile().readInteger("Voice", "speed", 0), 175);
    const std::string before = world->readFile("drum.ini");
    world->forget();
    Texts opening;
    open([&] {
      opening = world->said();
      keyClick(dialogWindow(), Qt::Key_Tab);
      keyClick(dialogWindow(), Qt::Key_Tab);
      keyClick(dialogWindow(), Qt::Key_PageUp);
      keyClick(dialogWindow(), Qt::Key_Escape);
    });
    QCOMPARE(opening, (Texts{"Voice settings", "&Voices Jakub"}));
    QCOMPARE(world->readFile("drum.ini"), before);
    QCOMPARE(world->said().back(), mainWindowCaption());
    QCOMPARE(voicedialog.speedtb.position(), 212);  // a tenth of 80..450 up from 175
    QCOMPARE(world->speech.log.tags.back(), std::string("\\Spd=212\\"));
    QCOMPARE(voicedialog.pitchtb.position(), 50);
  }

  void comingBackToTheDialogSaysWhatHasTheFocusNotTheVoiceList() {
    world->start("[environment]\nlanguage=2000\n");
    Texts back;
    open([&] {
      keyClick(dialogWindow(), Qt::Key_Tab);  // the pitch bar
      world->forget();
      switchawayandback();
      back = world->said();
      keyClick(dialogWindow(), Qt::Key_Escape);
    });
    QCOMPARE(back, Texts{"&Pitch 50"});
  }

  void speechThatFailsIsReportedOnceNotAtEveryReturnToTheDialog() {
    world->start("[environment]\nlanguage=2000\n");
    world->speech.log.failing = "There is no sound output for speech";
    // A window manager gives the dialog back its activation when a message
    // box over it closes (the offscreen platform does not).
    QTimer manager;
    manager.setInterval(30);
    QObject::connect(&manager, &QTimer::timeout, [&] {
      if (form4().isVisible() && QApplication::activeModalWidget() == &form4() && !form4().isActiveWindow())
        form4().activateWindow();
    });
    manager.start();
    int errorsinside = -1;
    open([&] {
      manager.stop();
      // The opening's failure was reported; its box closed, the dialog is
      // active again, and so it stays.
      QTest::qWait(200);
      switchawayandback();
      switchawayandback();
      QTest::qWait(200);
      errorsinside = static_cast<int>(world->errors.size());
      world->speech.log.failing.clear();
      keyClick(dialogWindow(), Qt::Key_Escape);
    });
    QCOMPARE(errorsinside, 1);
    QCOMPARE(world->errors, Texts{"There is no sound output for speech"});
    world->errors.clear();
  }

  void voiceNotAllowedIsRefusedWithMessage18() {
    world->start("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n");
    QVERIFY(!form1().action(MenuItem::Voicesubmenu)->isEnabled());
    setMenuEnabled(MenuItem::Voicesubmenu, true);  // as after a run
    QTest::keyClick(&form1(), Qt::Key_H, Qt::ControlModifier);
    QVERIFY(waitfor([&] { return !world->boxes.empty(); }));
    QCOMPARE(world->boxes, Texts{"The voice is turned off. You can turn it on in the Sounds dialog, menu Settings"});
    QVERIFY(!form4().isVisible());
  }

  void withSapi5TheVoiceItemStaysDisabled() {
    world->start("[Voice]\nSAPI5=1\n");
    QVERIFY(sapi5inuse);
    QVERIFY(!form1().action(MenuItem::Voicesubmenu)->isEnabled());
    QTest::keyClick(&form1(), Qt::Key_H, Qt::ControlModifier);
    QTest::qWait(50);
    QVERIFY(!form4().isVisible());
  }
};

int runVoiceDialogTests(int argc, char** argv) {
  VoiceDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace drum::dialogs

#include "voicedialog_test.moc"
