#include "input/windows/form2.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "shell/resourcelocalizer.h"

namespace drum {

namespace {

void caption(QPushButton* button, int message) {
  const QString text = qtext(LocalString(message));
  button->setText(text);
  button->setAccessibleName(accessiblecaption(text));
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form2"));
  setModal(true);
  inputedit_ = new QLineEdit(this);
  inputedit_->setObjectName(QStringLiteral("inputedit"));
  Enterbitbtn_ = new QPushButton(this);
  Enterbitbtn_->setObjectName(QStringLiteral("Enterbitbtn"));
  Enterbitbtn_->setDefault(true);
  connect(Enterbitbtn_, &QPushButton::clicked, this, &QDialog::accept);
  exitprogrambtn_ = new QPushButton(this);
  exitprogrambtn_->setObjectName(QStringLiteral("exitprogrambtn"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Enterbitbtn_);
  buttons->addWidget(exitprogrambtn_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(inputedit_);
  layout->addLayout(buttons);

  guarded([this] { FormCreate(); });
}

void TForm2::FormCreate() {
  const QString title = qtext(LocalString(23));
  setWindowTitle(title);
  setAccessibleName(title);
  inputedit_->setAccessibleName(title);
  caption(Enterbitbtn_, 7);
  caption(exitprogrambtn_, 45);
}

}  // namespace drum
