#include "shell/windows/aboutbox.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum {

namespace {

constexpr const char* kVersion = "1.7";

QLabel* label(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

}  // namespace

TAboutbox::TAboutbox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Aboutbox"));
  setModal(true);
  // A dialog border: no resizing, no minimise or maximise.
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  ProgramIcon_ = label(this, "ProgramIcon");
  const QIcon icon =
      QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon) : QApplication::windowIcon();
  ProgramIcon_->setPixmap(icon.pixmap(48, 48));
  ProductName_ = label(this, "ProductName");
  Version_ = label(this, "Version");
  Copyright_ = label(this, "Copyright");
  Copyright_->setText(QStringLiteral("A talking runtime of Oskira Basic for blind players."));
  Copyright_->setAccessibleName(Copyright_->text());
  Comments_ = label(this, "Comments");
  OKButton_ = new QPushButton(this);
  OKButton_->setObjectName(QStringLiteral("OKButton"));
  OKButton_->setDefault(true);
  connect(OKButton_, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(ProgramIcon_, 0, 0, 3, 1, Qt::AlignTop);
  grid->addWidget(ProductName_, 0, 1);
  grid->addWidget(Version_, 1, 1);
  grid->addWidget(Copyright_, 2, 1);
  grid->addWidget(Comments_, 3, 1);
  grid->addWidget(OKButton_, 4, 0, 1, 2, Qt::AlignHCenter);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  guarded([this] { FormCreate(); });
}

void TAboutbox::FormCreate() {
  const QString title = qtext(LocalString(36));
  setWindowTitle(title);
  setAccessibleName(title);
  ProductName_->setText(qtext(LocalString(1)));
  ProductName_->setAccessibleName(ProductName_->text());
  Version_->setText(qtext(LocalString(37) + " " + kVersion));
  Version_->setAccessibleName(Version_->text());
  const QString ok = qtext(LocalString(7));
  OKButton_->setText(ok);
  OKButton_->setAccessibleName(accessibleCaption(ok));
}

void TAboutbox::centre() {
  const QScreen* screen = QApplication::primaryScreen();
  if (!screen) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void TAboutbox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The frame the window system puts round the box is known only now.
  QTimer::singleShot(0, this, [this] { centre(); });
}

void TAboutbox::aboutsubmenuClick() {
  adjustSize();
  centre();
  OKButton_->setFocus();
  exec();
}

}  // namespace drum
