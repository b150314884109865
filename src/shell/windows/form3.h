// The environment dialog: the interface language.
#pragma once
#include <QDialog>
#include <vector>

#include "shell/resourcelocalizer.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace drum {

class TForm3 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* parent = nullptr);

  QGroupBox* languagergroup() const { return languagergroup_; }
  QPushButton* okbitbtn() const { return okbitbtn_; }
  QPushButton* cancelbitbtn() const { return cancelbitbtn_; }
  int itemindex() const;
  void setitemindex(int index);  // runs languagergroupClick when the selection changes

  // Settings / Environment.
  void environmentsubmenuClick();

 private:
  void FormCreate();
  void languagergroupClick();
  void setcaptions();

  QGroupBox* languagergroup_ = nullptr;
  QButtonGroup* buttons_ = nullptr;
  std::vector<QRadioButton*> entries_;
  std::vector<LanguageEntry> languages_;
  QPushButton* okbitbtn_ = nullptr;
  QPushButton* cancelbitbtn_ = nullptr;
};

}  // namespace drum
