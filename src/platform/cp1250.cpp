#include "platform/cp1250.h"

#include <array>

namespace drum {
namespace {

constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Writes c's UTF-8 bytes at `to` (room for four); returns the end. Nothing
// in here can throw, so a whole text converts without a call per character
// that would need unwinding (which costs much in the WebAssembly build).
char* putUtf8(char* to, char32_t c) noexcept {
  if (c < 0x80) {
    *to++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *to++ = static_cast<char>(0xC0 | (c >> 6));
    *to++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *to++ = static_cast<char>(0xE0 | (c >> 12));
    *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *to++ = static_cast<char>(0xF0 | (c >> 18));
    *to++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *to++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return to;
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns 0xFFFFFFFF when malformed.
char32_t nextUtf8(std::string_view s, size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int len = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
  if (len == 0 || i + len > s.size()) {
    ++i;
    return 0xFFFFFFFF;
  }
  char32_t c = len == 1 ? b0 : b0 & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFFFFFF;
    }
    c = (c << 6) | (b & 0x3F);
  }
  i += len;
  return c;
}

}  // namespace

char32_t cp1250ToUnicode(unsigned char byte) {
  return byte < 0x80 ? byte : kHigh[byte - 0x80];
}

bool unicodeToCp1250(char32_t cp, unsigned char& byte) {
  if (cp < 0x80) {
    byte = static_cast<unsigned char>(cp);
    return true;
  }
  for (size_t k = 0; k < kHigh.size(); ++k) {
    if (kHigh[k] == cp) {
      byte = static_cast<unsigned char>(0x80 + k);
      return true;
    }
  }
  return false;
}

std::string cp1250ToUtf8(std::string_view text) {
  std::string out(text.size() * 3, '\0');  // the code page's characters take up to three bytes
  char* end = out.data();
  for (char ch : text) end = putUtf8(end, cp1250ToUnicode(static_cast<unsigned char>(ch)));
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');  // a pair's four bytes stand for two units
  char* end = out.data();
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    end = putUtf8(end, c);
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  return out;
}

std::u16string cp1250ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char ch : text) out += static_cast<char16_t>(cp1250ToUnicode(static_cast<unsigned char>(ch)));
  return out;
}

std::string utf8ToCp1250(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    unsigned char b;
    out += unicodeToCp1250(nextUtf8(utf8, i), b) ? static_cast<char>(b) : replacement;
  }
  return out;
}

std::string utf16ToCp1250(std::u16string_view utf16, char replacement) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size()) ++i;  // a pair: outside the code page anyway
    unsigned char b;
    out += unicodeToCp1250(c, b) ? static_cast<char>(b) : replacement;
  }
  return out;
}

std::string escapeControls(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && c != '\n') || b == 0x7F) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

// The small letter of a code point of the code page (Basic Latin, Latin-1
// and Latin Extended-A hold every one of its letters).
char32_t smallLetter(char32_t u) {
  if (u >= 'A' && u <= 'Z') return u + 32;
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return u + 32;
  if (u >= 0x100 && u <= 0x137 && u % 2 == 0) return u + 1;
  if (u >= 0x139 && u <= 0x148 && u % 2 == 1) return u + 1;
  if (u >= 0x14A && u <= 0x177 && u % 2 == 0) return u + 1;
  if (u >= 0x179 && u <= 0x17E && u % 2 == 1) return u + 1;
  return u;
}

}  // namespace

unsigned char cp1250Lower(unsigned char byte) {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
      unsigned char small = static_cast<unsigned char>(b);
      if (!unicodeToCp1250(smallLetter(cp1250ToUnicode(small)), small)) small = static_cast<unsigned char>(b);
      t[static_cast<std::size_t>(b)] = small;
    }
    return t;
  }();
  return table[byte];
}

bool cp1250SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (cp1250Lower(static_cast<unsigned char>(a[i])) != cp1250Lower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::size_t utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace drum
