// The environment and sounds dialogs, opened with their menu shortcuts and
// used with the keyboard.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <memory>

#include "dialogs/dialogsfixture.h"
#include "dialogs/dialogstests.h"
#include "platform/cp1250.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/session/startup.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "shell/windows/form3.h"
#include "shell/windows/form5.h"

namespace drum::dialogs {

namespace {

QString accessibleNameOf(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

using Texts = std::vector<std::string>;

QString focusName() {
  QWidget* w = QApplication::focusWidget();
  return w ? w->objectName() : QString();
}

}  // namespace

class EnvironmentDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<World> world;
  TForm3& form3() { return *desktop().Form3; }
  TForm1& form1() { return *desktop().Form1; }
  QWindow* dialogWindow() { return form3().windowHandle(); }

  void open(std::function<void()> inside) {
    bool timedout = false, ran = false;
    whenShown(
        &form3(),
        [&ran, inside = std::move(inside)] {
          ran = true;
          inside();
        },
        {}, 20000, &timedout);
    world->activateMain();
    QTest::keyClick(&form1(), Qt::Key_E, Qt::ControlModifier);
    QVERIFY(ran);
    QVERIFY(!timedout);
    QVERIFY(!form3().isVisible());
  }
  QStringList captions() {
    return {form3().windowTitle(), form3().languagergroup()->title(), form3().okbitbtn()->text(),
            form3().cancelbitbtn()->text()};
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
    world->start("[environment]\nlanguage=3000\n");
    QCOMPARE(form3().size(), QSize(481, 315));
    QCOMPARE(form3().entryCount(), 3);
    QCOMPARE(form3().entry(0)->text(), QString::fromUtf8("Čeština"));
    QCOMPARE(form3().entry(1)->text(), QStringLiteral("English"));
    QCOMPARE(form3().entry(2)->text(), QString::fromUtf8("Slovenčina"));
    QCOMPARE(captions(), (QStringList{QStringLiteral("Nastavenie prostredia"), QStringLiteral("&jazyk"),
                                      QStringLiteral("&Ok"), QString::fromUtf8("Zrušiť")}));
    QCOMPARE(accessibleNameOf(form3().languagergroup()), QStringLiteral("jazyk"));
    QCOMPARE(accessibleNameOf(form3().okbitbtn()), QStringLiteral("Ok"));
    QCOMPARE(accessibleNameOf(form3().entry(2)), QString::fromUtf8("Slovenčina"));
  }

  void choosingEnglishShowsTheDialogInEnglishAndSaysMessage6InIt() {
    world->start("[environment]\nlanguage=1000\n");
    QString start;
    std::vector<QStringList> seen;
    open([&] {
      start = focusName();
      for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
        keyClick(dialogWindow(), key);
        seen.push_back(captions());
      }
      keyClick(dialogWindow(), Qt::Key_Return);
    });
    QCOMPARE(start, QStringLiteral("languagergroup0"));
    QCOMPARE(seen[0], (QStringList{QStringLiteral("environment settings"), QStringLiteral("&Language"),
                                   QStringLiteral("&OK"), QStringLiteral("Cancel")}));
    QCOMPARE(seen[1].front(), QStringLiteral("Nastavenie prostredia"));
    QCOMPARE(seen[2].front(), QStringLiteral("environment settings"));
    QCOMPARE(world->boxes, Texts{"Your changes will be applied after you restart the program."});
    QCOMPARE(settingsFile().readInteger("environment", "language", 0), 2000);
    // The other windows keep their language until the next start.
    QCOMPARE(form1().action(MenuItem::Startsubmenu)->text(), QStringLiteral("&Spustit"));
  }

  void okWithoutAChangeWritesTheLanguageButSaysNothing() {
    world->start("[sounds]\nsndvolume=0\n");
    open([&] { keyClick(dialogWindow(), Qt::Key_Return); });
    QCOMPARE(world->boxes, Texts{});
    QCOMPARE(settingsFile().readInteger("environment", "language", 0), 1000);
  }

  void cancelAfterAnotherLanguagePutsTheOldOneBack() {
    world->start("[environment]\nlanguage=2000\n");
    const std::string before = world->readFile("drum.ini");
    QString clicked;
    open([&] {
      keyClick(dialogWindow(), Qt::Key_Down);
      clicked = form3().windowTitle();
      keyClick(dialogWindow(), Qt::Key_Escape);
    });
    QCOMPARE(clicked, QStringLiteral("Nastavenie prostredia"));
    QCOMPARE(languagebase, 2000);
    QCOMPARE(form3().itemindex(), 1);
    QCOMPARE(form3().windowTitle(), QStringLiteral("environment settings"));
    QCOMPARE(world->readFile("drum.ini"), before);
    QCOMPARE(world->boxes, Texts{});
  }
};

class SoundsDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<World> world;
  TForm5& form5() { return *desktop().Form5; }
  TForm1& form1() { return *desktop().Form1; }
  QWindow* dialogWindow() { return form5().windowHandle(); }

  void open(std::function<void()> inside) {
    bool timedout = false, ran = false;
    whenShown(
        &form5(),
        [&ran, inside = std::move(inside)] {
          ran = true;
          inside();
        },
        {}, 20000, &timedout);
    world->activateMain();
    QTest::keyClick(&form1(), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(ran);
    QVERIFY(!timedout);
    QVERIFY(!form5().isVisible());
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
    QCOMPARE(form5().size(), QSize(398, 256));
    QCOMPARE(form5().windowTitle(), QStringLiteral("Sounds settings"));
    QCOMPARE(form5().sndvoltrackbar()->minimum(), 0);
    QCOMPARE(form5().sndvoltrackbar()->maximum(), 100);
    const std::vector<std::pair<QWidget*, QString>> names = {
        {form5().voicecheckbox(), QStringLiteral("Use the voice")},
        {form5().oskirasoundschk(), QStringLiteral("Oskira sounds")},
        {form5().sndvoltrackbar(), QStringLiteral("Sound volume")},
        {form5().sndvolstatic(), QStringLiteral("Sound volume")},
        {form5().okbitbtn(), QStringLiteral("OK")},
        {form5().cancelbitbtn(), QStringLiteral("Cancel")}};
    for (const auto& [widget, name] : names) QCOMPARE(accessibleNameOf(widget), name);
  }

  void aStoredVolumeOfMinus150Shows98AndIsStoredAsMinus200() {
    world->start("[environment]\nlanguage=2000\n[sounds]\nsndvolume=-150\n");
    int position = -1, volume = 0;
    QString focus;
    open([&] {
      position = form5().sndvoltrackbar()->value();
      volume = sndvolume;
      focus = focusName();
      keyClick(dialogWindow(), Qt::Key_Return);
    });
    QCOMPARE(position, 98);
    QCOMPARE(volume, -200);
    QCOMPARE(focus, QStringLiteral("voicecheckbox"));
    QCOMPARE(world->sounds, Texts{});  // set before the dialog is active: silent
    QCOMPARE(settingsFile().readInteger("sounds", "sndvolume", 0), -200);
  }

  void movingTheBarSoundsASampleAndCancelRestoresTheVolume() {
    world->start("[environment]\nlanguage=2000\n[sounds]\nsndvolume=-5000\n");
    const std::string before = world->readFile("drum.ini");
    int moved = 0;
    Texts heard;
    open([&] {
      keyClick(dialogWindow(), Qt::Key_Tab);
      keyClick(dialogWindow(), Qt::Key_Tab);
      keyClick(dialogWindow(), Qt::Key_Right);
      moved = sndvolume;
      heard = world->sounds;
      keyClick(dialogWindow(), Qt::Key_Escape);
    });
    QCOMPARE(moved, -4900);
    QCOMPARE(heard, Texts{"1000/100/1"});
    QCOMPARE(sndvolume, -5000);
    QCOMPARE(world->readFile("drum.ini"), before);
  }

  void withSoundsOffTheBarIsDisabledUntilTheyAreChecked() {
    world->start("[environment]\nlanguage=2000\n[sounds]\noskirasounds=0\n");
    bool before = true, after = false;
    open([&] {
      before = form5().sndvoltrackbar()->isEnabled();
      keyClick(dialogWindow(), Qt::Key_Tab);
      keyClick(dialogWindow(), Qt::Key_Space);
      after = form5().sndvoltrackbar()->isEnabled();
      keyClick(dialogWindow(), Qt::Key_Return);
    });
    QVERIFY(!before);
    QVERIFY(after);
    QVERIFY(oskirasounds);
    QVERIFY(settingsFile().readBool("sounds", "oskirasounds", false));
  }

  void allowingVoiceWithoutVoicesSaysMessage40() {
    world->speech.installed = false;
    world->start("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n");
    open([&] {
      keyClick(dialogWindow(), Qt::Key_Space);
      keyClick(dialogWindow(), Qt::Key_Return);
    });
    QCOMPARE(world->boxes, Texts{"Can't allow voice, no voices are available"});
    QVERIFY(!form5().voicecheckbox()->isChecked());
    QVERIFY(!voiceallowed);
    QVERIFY(!form1().action(MenuItem::Voicesubmenu)->isEnabled());
  }

  void allowingVoiceListsTheVoicesAndEnablesTheVoiceItem() {
    world->start("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n");
    QVERIFY(!form1().action(MenuItem::Voicesubmenu)->isEnabled());
    open([&] {
      keyClick(dialogWindow(), Qt::Key_Space);
      keyClick(dialogWindow(), Qt::Key_Return);
    });
    QVERIFY(voiceallowed);
    QVERIFY(form1().action(MenuItem::Voicesubmenu)->isEnabled());
    QCOMPARE(settingsFile().readString("Voice", "person", ""), std::string("Jakub"));
    QVERIFY(settingsFile().readBool("voice", "voiceallowed", false));
  }
};

int runEnvironmentDialogTests(int argc, char** argv) {
  EnvironmentDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

int runSoundsDialogTests(int argc, char** argv) {
  SoundsDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace drum::dialogs

#include "settingsdialogs_test.moc"
