// The About box: the program's name and version.
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace drum {

class TAboutbox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutbox(QWidget* parent = nullptr);

  QLabel* ProductName() const { return ProductName_; }
  QLabel* Version() const { return Version_; }
  QPushButton* OKButton() const { return OKButton_; }

  // Help / About: shown modally, centred on the screen.
  void aboutsubmenuClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void centre();
  QLabel* ProgramIcon_ = nullptr;
  QLabel* ProductName_ = nullptr;
  QLabel* Version_ = nullptr;
  QLabel* Copyright_ = nullptr;
  QLabel* Comments_ = nullptr;
  QPushButton* OKButton_ = nullptr;
};

}  // namespace drum
