#include "input/windows/form2.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "input/keyboardinput.h"
#include "input/windows/keyboard.h"
#include "input/words.h"
#include "platform/windows/focusevents.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "shell/settings/flags.h"

namespace drum {

namespace {

bool isWordMove(int key, ShiftState shift) {
  return (key == vk::Left || key == vk::Right) && shift.ctrl && !shift.shift && !shift.alt;
}

// The edit hands each key to the dialog's handlers. It acts on a key itself
// before the handlers speak: they wait for the speech, delivering events, and
// a key typed meanwhile must not land before this one.
class InputEdit : public QLineEdit {
 public:
  explicit InputEdit(QWidget* parent) : QLineEdit(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const int key = virtualKey(*event);
    if (key == vk::Return) {
      // The dialog's key: its default button closes it with OK.
      QLineEdit::keyPressEvent(event);
      return;
    }
    const std::string before = cptext(text());
    const int caret = cursorPosition();
    const std::optional<char> typed = typedCharacter(*event);
    // Esc types nothing here and does not close the dialog: it has no Cancel.
    const bool edits = key != vk::Escape && (!typed || inputdialog::entersEdit(*typed));
    const ShiftState shift = shiftState(*event);
    // Ctrl with Left or Right moves by words as a reader does, over
    // punctuation too, not by the edit's own word boundaries.
    if (isWordMove(key, shift))
      setCursorPosition(key == vk::Right ? nextWordStart(before, caret) : previousWordStart(before, caret));
    else if (edits)
      QLineEdit::keyPressEvent(event);
    event->accept();
    guarded([&] { inputdialog::inputeditKeyDown(key, shift, before, caret, typed); });
    // A key that the keyboard repeats leaves the chord as it stands: the
    // keys still held after a chord's first release make no chord of their own.
    if (braillemode && typed && !lastKeyPressRepeated()) guarded([&] { inputdialog::inputeditKeyPress(*typed); });
  }

  void keyReleaseEvent(QKeyEvent* event) override {
    QLineEdit::keyReleaseEvent(event);
    if (event->isAutoRepeat()) return;
    const int key = virtualKey(*event);
    const ShiftState shift = shiftState(*event);
    guarded([&] { inputdialog::inputeditKeyUp(key, shift); });
  }
};

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form2"));
  setModal(true);
  resize(400, 110);
  inputedit_ = new InputEdit(this);
  inputedit_->setObjectName(QStringLiteral("inputedit"));
  Enterbitbtn_ = new QPushButton(this);
  Enterbitbtn_->setObjectName(QStringLiteral("Enterbitbtn"));
  Enterbitbtn_->setDefault(true);
  connect(Enterbitbtn_, &QPushButton::clicked, this, &QDialog::accept);
  exitprogrambtn_ = new QPushButton(this);
  exitprogrambtn_->setObjectName(QStringLiteral("exitprogrambtn"));
  connect(exitprogrambtn_, &QPushButton::clicked, this, [] { guarded(inputdialog::exitprogrambtnClick); });

  onenter(inputedit_, inputdialog::inputeditEnter);
  onenter(Enterbitbtn_, inputdialog::EnterbitbtnEnter);
  onenter(exitprogrambtn_, inputdialog::exitprogrambtnEnter);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Enterbitbtn_);
  buttons->addWidget(exitprogrambtn_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(inputedit_);
  layout->addStretch();
  layout->addLayout(buttons);
  setTabOrder(inputedit_, Enterbitbtn_);
  setTabOrder(Enterbitbtn_, exitprogrambtn_);

  guarded([this] { FormCreate(); });
  setInputDialogWindow(this);
}

TForm2::~TForm2() {
  if (inputDialogWindow() == this) setInputDialogWindow(nullptr);
}

void TForm2::FormCreate() {
  inputdialog::FormCreate();
  const QString title = qtext(inputdialog::captions.caption);
  setWindowTitle(title);
  setAccessibleName(title);
  inputedit_->setAccessibleName(title);
  for (auto [button, caption] : {std::pair{Enterbitbtn_, &inputdialog::captions.Enterbitbtn},
                                 std::pair{exitprogrambtn_, &inputdialog::captions.exitprogrambtn}}) {
    const QString text = qtext(*caption);
    button->setText(text);
    button->setAccessibleName(accessibleCaption(text));
  }
}

std::string TForm2::text() const { return cptext(inputedit_->text()); }

int TForm2::caret() const { return inputedit_->cursorPosition(); }

void TForm2::setText(const std::string& text, int caret) {
  inputedit_->setText(qtext(text));
  inputedit_->setCursorPosition(caret);
}

bool TForm2::showModal() {
  inputedit_->setFocus();
  return exec() == QDialog::Accepted;
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  // No Cancel button, so Esc does not close the dialog from a button either.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm2::closeEvent(QCloseEvent* event) {
  // A window manager turns Alt+F4 (and its close button) into a request to
  // close; the dialog answers it as it answers Alt+F4: the memory is saved
  // and the program ends. When saving fails the dialog stays.
  if (event->spontaneous()) {
    guarded(inputdialog::exitprogrambtnClick);
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TForm2::hideEvent(QHideEvent* event) {
  inputdialog::FormClose();
  QDialog::hideEvent(event);
}

}  // namespace drum
