// The INPUT dialog: a one-line edit for a line of data, its OK button and a
// button that ends the program. Nothing in the carried program opens it; it
// is created with the other windows at start-up.
#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace drum {

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);

  QLineEdit* inputedit() const { return inputedit_; }
  QPushButton* Enterbitbtn() const { return Enterbitbtn_; }
  QPushButton* exitprogrambtn() const { return exitprogrambtn_; }

 private:
  void FormCreate();
  QLineEdit* inputedit_ = nullptr;
  QPushButton* Enterbitbtn_ = nullptr;
  QPushButton* exitprogrambtn_ = nullptr;
};

}  // namespace drum
