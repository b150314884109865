// The environment dialog: the interface language, chosen in a radio group
// that shows the dialog in the language being chosen.
#pragma once
#include <QDialog>
#include <vector>

#include "shell/session/settingsdialogs.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace drum {

class TForm3 : public QDialog, public EnvironmentDialog {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* parent = nullptr);

  QGroupBox* languagergroup() const { return languagergroup_; }
  QRadioButton* entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
  int entryCount() const { return static_cast<int>(entries_.size()); }
  QPushButton* okbitbtn() const { return okbitbtn_; }
  QPushButton* cancelbitbtn() const { return cancelbitbtn_; }

  void setEntries(const std::vector<LanguageEntry>& entries) override;
  int itemindex() const override;
  void setItemIndex(int index) override;
  // Focus on the language group, shown modally; true when closed with OK.
  bool showModal() override;

  // Settings / Environment.
  void environmentsubmenuClick();

 private:
  void FormCreate();
  void languagergroupClick();
  void setCaptions();

  QGroupBox* languagergroup_ = nullptr;
  QButtonGroup* buttons_ = nullptr;
  std::vector<QRadioButton*> entries_;
  QPushButton* okbitbtn_ = nullptr;
  QPushButton* cancelbitbtn_ = nullptr;
};

}  // namespace drum
