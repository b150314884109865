// The main window: the text screen `printmemo`, the menu `MainMenu` and the
// key preview. It holds no game logic: its creation and its commands are the
// steps of shell/session/startup.h, and its keys go to the chord keyboard.
#pragma once
#include <QMainWindow>
#include <array>

#include "shell/session/startup.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace drum {

class KeyPreview;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  QPlainTextEdit* printmemo() const { return printmemo_; }
  QAction* action(MenuItem item) const { return actions_[static_cast<int>(item)]; }
  QMenu* menu(MenuItem item) const { return menus_[static_cast<int>(item)]; }
  KeyPreview* keyPreview() const { return keypreview_; }

  // The menu shows the state of the session's menu, the memo the text screen.
  void syncMenu();
  void syncScreen();

  // Commands of the menu items that open other windows.
  std::function<void()> onSounds, onVoice, onEnvironment, onAbout;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void setCaptions();
  void command(MenuItem item);
  void fitScreen();

  QPlainTextEdit* printmemo_ = nullptr;
  std::array<QAction*, kMenuItems> actions_{};
  std::array<QMenu*, kMenuItems> menus_{};
  KeyPreview* keypreview_ = nullptr;
  bool screenpending_ = false;
};

}  // namespace drum
