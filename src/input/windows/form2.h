// The INPUT dialog: a one-line edit for a line of data, its OK button and a
// button that ends the program. The talking and the chord typing are done by
// input/inputdialog.h; this window passes its edit's keys and focus there.
// Nothing in the carried program opens it; the INPUT statement would.
#pragma once
#include <QDialog>

#include "input/inputdialog.h"

class QLineEdit;
class QPushButton;

namespace drum {

class TForm2 : public QDialog, public InputDialogWindow {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  QLineEdit* inputedit() const { return inputedit_; }
  QPushButton* Enterbitbtn() const { return Enterbitbtn_; }
  QPushButton* exitprogrambtn() const { return exitprogrambtn_; }

  std::string text() const override;
  int caret() const override;
  void setText(const std::string& text, int caret) override;
  bool showModal() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void FormCreate();
  QLineEdit* inputedit_ = nullptr;
  QPushButton* Enterbitbtn_ = nullptr;
  QPushButton* exitprogrambtn_ = nullptr;
};

}  // namespace drum
