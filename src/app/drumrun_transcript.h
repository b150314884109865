// drumrun's transcript: one line per event on standard output, in UTF-8.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace drum {

class Transcript {
 public:
  explicit Transcript(std::FILE* out) : out_(out) {}
  // Installs the observation hooks (PRINT, SOUND, CLICK, BEEP, PAUSE).
  void observe();

  void print(const std::string& text, int separator);
  void printnumber(int separator, double value);
  void say(const std::string& text);
  void sound(const std::vector<double>& values, double duration, double voice);
  void click(double n);
  void beep();
  void pause(int milliseconds);
  void key(const std::string& scriptline);
  void end();
  void exit();
  void messagebox(const std::string& text);
  void error(const std::string& text);
  // The 24 lines of the text screen.
  void screen();

  void flush() { std::fflush(out_); }

  // A Windows-1250 text in double quotes: backslash and quote escaped, the
  // control codes and the five codes without a character as \xNN, the rest UTF-8.
  static std::string quote(const std::string& text);
  // The shortest decimal text that reads back as exactly this number.
  static std::string number(double value);

 private:
  void line(const std::string& text);
  std::FILE* out_;
};

}  // namespace drum
