// Speaking one typed or reviewed character by the words the key file gives
// for it, with a short high tone before a capital letter.
#pragma once
#include <string>

namespace drum {

// True for "A" to "Z" and for the capitals of the accented letters that the
// key echo knows (the even places of its capital table).
bool IsCapitalLetter(char c);

// Plays the capital tone when due, then speaks the echo text of the text's
// first character: at once through the speech service, or through the
// in-process engine and waiting until it is spoken. Silent unless a voice is
// ready.
void SpeakKey(const std::string& text);

}  // namespace drum
