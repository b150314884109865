// The screen review window: the frozen copy of the text screen in a
// read-only text box, and a close button. The reading is done by
// input/screenreview.h; this window moves the caret and passes the keys.
#pragma once
#include <QDialog>

#include "input/screenreview.h"

class QPlainTextEdit;
class QPushButton;

namespace drum {

class TForm6 : public QDialog, public ReviewWindow {
  Q_OBJECT
 public:
  explicit TForm6(QWidget* parent = nullptr);
  ~TForm6() override;

  QPlainTextEdit* virtualscrmemo() const { return virtualscrmemo_; }
  QPushButton* closebitbtn() const { return closebitbtn_; }
  // The caret as the logic counts it: characters before it in the copy, a
  // line end counting two.
  int caret() const;
  // Puts the caret at `position`, counted as caret() counts it.
  void setCaret(int position);

  void setCopy(const std::string& copy) override;
  void showModal() override;
  void close() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  QPlainTextEdit* virtualscrmemo_ = nullptr;
  QPushButton* closebitbtn_ = nullptr;
};

}  // namespace drum
