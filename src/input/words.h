// Words as a reader moves by them with Ctrl and the arrow keys: runs of
// letters and digits (the accented letters of Windows-1250 among them);
// spaces, punctuation and line ends lie between words and are skipped.
#pragma once
#include <string>

namespace drum {

bool isWordCharacter(char c);
// The start of the next word after the one at `caret`, or the end of the text.
int nextWordStart(const std::string& text, int caret);
// The start of the word the caret is inside, or of the one before it, or 0.
int previousWordStart(const std::string& text, int caret);
// What is read at the caret: the word from the caret on; where no word
// starts there, the text up to the first of `wordseparators` (a run of
// punctuation, or nothing).
std::string wordAt(const std::string& text, int caret);

}  // namespace drum
