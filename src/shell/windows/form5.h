// The sounds dialog: voice allowed, the Oskira sounds and their volume.
#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace drum {

class TForm5 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* parent = nullptr);

  QCheckBox* voicecheckbox() const { return voicecheckbox_; }
  QCheckBox* oskirasoundschk() const { return oskirasoundschk_; }
  QSlider* sndvoltrackbar() const { return sndvoltrackbar_; }
  QPushButton* okbitbtn() const { return okbitbtn_; }
  QPushButton* cancelbitbtn() const { return cancelbitbtn_; }

  // Settings / Sounds.
  void soundssubmenuClick();

 private:
  void FormCreate();
  void sndvoltrackbarChange();

  QCheckBox* voicecheckbox_ = nullptr;
  QCheckBox* oskirasoundschk_ = nullptr;
  QSlider* sndvoltrackbar_ = nullptr;
  QLabel* sndvolstatic_ = nullptr;
  QPushButton* okbitbtn_ = nullptr;
  QPushButton* cancelbitbtn_ = nullptr;
};

}  // namespace drum
