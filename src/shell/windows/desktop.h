// The windows of the desktop program, each created once at start-up in a
// fixed order, so that every window's creation finds what it needs made.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace drum {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TAboutbox;

struct DesktopWindows {
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TForm2> Form2;
  std::unique_ptr<TForm3> Form3;
  std::unique_ptr<TForm4> Form4;
  std::unique_ptr<TForm5> Form5;
  std::unique_ptr<TForm6> Form6;
  std::unique_ptr<TAboutbox> Aboutbox;
};

DesktopWindows& desktop();

// Creates the windows in their order: the main window, the INPUT dialog, the
// environment, voice and sounds dialogs, the review window, the About box;
// each window's creation steps run as it is made. Then wires the menu.
void createWindows();
// Destroys them, last made first.
void destroyWindows();
// The class names of the windows in the order they were made.
const std::vector<std::string>& createdWindows();

}  // namespace drum
