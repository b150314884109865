// Windows-1250 <-> Unicode. Every text inside drum is a Windows-1250 byte
// string; this is the one place where texts cross to UTF-8 or UTF-16.
#pragma once
#include <string>
#include <string_view>

namespace drum {

// Code point of a Windows-1250 byte. The five bytes that Windows-1250 leaves
// undefined (0x81 0x83 0x88 0x90 0x98) map to the C1 control of the same
// value, so that no byte is ever lost on a round trip.
char32_t cp1250ToUnicode(unsigned char byte);

// Windows-1250 byte of a code point; false when the code page has none.
bool unicodeToCp1250(char32_t cp, unsigned char& byte);

// Case without the locale: a byte folded to its small letter by the code
// page's own pairs (A..Z, the accented letters, Š/š, Ľ/ľ, Ł/ł, ...).
unsigned char cp1250Lower(unsigned char byte);
// Two texts equal without regard to case (sound bank items, voice names,
// settings keys, speech tags).
bool cp1250SameText(std::string_view a, std::string_view b);

std::string cp1250ToUtf8(std::string_view text);
// UTF-16 to UTF-8 (for services that take UTF-8); a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
std::u16string cp1250ToUtf16(std::string_view text);

// Characters the code page cannot hold become `replacement`; malformed UTF-8
// sequences count as one such character each.
std::string utf8ToCp1250(std::string_view utf8, char replacement = '?');
std::string utf16ToCp1250(std::u16string_view utf16, char replacement = '?');

// Length of the UTF-8 sequence that `lead` starts, 0 if it cannot start one.
std::size_t utf8Length(unsigned char lead);

// Shorthand for texts written in UTF-8 source files.
inline std::string cp(std::string_view utf8) { return utf8ToCp1250(utf8); }

}  // namespace drum
