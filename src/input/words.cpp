#include "input/words.h"

#include <algorithm>

#include "platform/cp1250.h"
#include "speech/voicemodels.h"

namespace drum {

bool isWordCharacter(char c) {
  const char32_t u = cp1250ToUnicode(static_cast<unsigned char>(c));
  if (u < 0x80) return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
  // Latin-1 letters and Latin Extended-A: every letter the code page has.
  return u >= 0xC0 && u <= 0x17F && u != 0xD7 && u != 0xF7;
}

int nextWordStart(const std::string& text, int caret) {
  const int size = static_cast<int>(text.size());
  int i = std::clamp(caret, 0, size);
  while (i < size && isWordCharacter(text[i])) ++i;
  while (i < size && !isWordCharacter(text[i])) ++i;
  return i;
}

int previousWordStart(const std::string& text, int caret) {
  int i = std::clamp(caret, 0, static_cast<int>(text.size()));
  while (i > 0 && !isWordCharacter(text[i - 1])) --i;
  while (i > 0 && isWordCharacter(text[i - 1])) --i;
  return i;
}

std::string wordAt(const std::string& text, int caret) {
  const std::size_t from = static_cast<std::size_t>(std::max(caret, 0));
  std::string word;
  for (std::size_t i = from; i < text.size() && isWordCharacter(text[i]); ++i) word += text[i];
  if (!word.empty()) return word;
  for (std::size_t i = from; i < text.size() && !wordseparators.count(text[i]); ++i) word += text[i];
  return word;
}

}  // namespace drum
