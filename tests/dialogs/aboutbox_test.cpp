// The About box from the Help menu: its texts, centred and modal.
#include "shell/windows/aboutbox.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

#include "dialogs/dialogsfixture.h"
#include "dialogs/dialogstests.h"
#include "shell/session/startup.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"

namespace drum::dialogs {

namespace {

QString accessibleNameOf(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<World> world;
  TAboutbox& about() { return *desktop().Aboutbox; }

  struct Seen {
    QStringList texts;
    bool modal = false;
    QPoint offcentre;
  };
  Seen show() {
    Seen seen;
    bool timedout = false;
    whenShown(
        &about(),
        [&] {
          seen.texts = {about().windowTitle(), about().ProductName()->text(), about().Version()->text(),
                        about().OKButton()->text(), accessibleNameOf(about().OKButton())};
          seen.modal = about().isModal() && QApplication::activeModalWidget() == &about();
          seen.offcentre = about().frameGeometry().center() - about().screen()->availableGeometry().center();
          keyClick(about().windowHandle(), Qt::Key_Return);
        },
        {}, 20000, &timedout);
    desktop().Form1->action(MenuItem::aboutsubmenu)->trigger();
    if (timedout) QTest::qFail("the About box stayed open", __FILE__, __LINE__);
    return seen;
  }

 private slots:
  void init() {
    world = std::make_unique<World>();
    QVERIFY(world->ok());
  }
  void cleanup() { world.reset(); }

  void englishTextsCentredAndModal() {
    world->start("[environment]\nlanguage=2000\n");
    const Seen seen = show();
    QCOMPARE(seen.texts, (QStringList{QStringLiteral("About"), QStringLiteral("Oskira Basic Interpreter"),
                                      QStringLiteral("version 1.7"), QStringLiteral("&OK"), QStringLiteral("OK")}));
    QVERIFY(seen.modal);
    QVERIFY2(std::abs(seen.offcentre.x()) <= 1 && std::abs(seen.offcentre.y()) <= 1, "not centred");
    QVERIFY(!about().isVisible());
  }

  void czechTexts() {
    world->start("[environment]\nlanguage=1000\n");
    const Seen seen = show();
    QCOMPARE(seen.texts.mid(0, 4),
             (QStringList{QStringLiteral("O programu"), QString::fromUtf8("Překladač Oskira Basicu"),
                          QStringLiteral("verze 1.7"), QStringLiteral("&Ok")}));
  }
};

int runAboutBoxTests(int argc, char** argv) {
  AboutBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace drum::dialogs

#include "aboutbox_test.moc"
