#include <iconv.h>

#include <gtest/gtest.h>

#include "platform/cp1250.h"

namespace drum {
namespace {

// What the C library's converter makes of one Windows-1250 byte; empty when it refuses.
std::string iconvUtf8(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inp = in;
  char* outp = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return {};
  return std::string(out, outp);
}

TEST(Cp1250, EveryByteAgreesWithIconvAndRoundTrips) {
  int undefined = 0;
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = cp1250ToUtf8(byte);
    const std::string expected = iconvUtf8(static_cast<unsigned char>(b));
    if (expected.empty()) {
      // The five holes of the code page keep their value as C1 controls.
      ++undefined;
      EXPECT_EQ(cp1250ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b)) << b;
    } else {
      EXPECT_EQ(utf8, expected) << "byte " << b;
    }
    EXPECT_EQ(utf8ToCp1250(utf8), byte) << "byte " << b;
    EXPECT_EQ(utf16ToCp1250(cp1250ToUtf16(byte)), byte) << "byte " << b;
  }
  EXPECT_EQ(undefined, 5);
}

TEST(Cp1250, SlovakAndCzechTextsConvertBothWays) {
  const std::string text = cp("hra drúm. Ťažký kôň, žluťoučký, ďábelské ódy");
  EXPECT_EQ(text.size(), 44u);  // one byte a character
  EXPECT_EQ(cp1250ToUtf8(text), "hra drúm. Ťažký kôň, žluťoučký, ďábelské ódy");
}

TEST(Cp1250, UnrepresentableAndMalformedInputBecomeReplacement) {
  EXPECT_EQ(utf8ToCp1250("a\xE2\x82\xAC" "b"), std::string("a\x80" "b"));  // euro sign exists
  EXPECT_EQ(utf8ToCp1250("\xE4\xB8\xAD"), "?");                            // a CJK character
  EXPECT_EQ(utf8ToCp1250("\xC3"), "?");                                    // cut sequence
  EXPECT_EQ(utf8ToCp1250("\xFF\xFE" "a"), "??a");
  EXPECT_EQ(utf8ToCp1250("\xF0\x9F\x98\x80", '_'), "_");                   // emoji
  EXPECT_EQ(utf16ToCp1250(u"\U0001F600x"), "?x");
}

}  // namespace
}  // namespace drum

namespace drum {
namespace {

TEST(Utf16ToUtf8, PairsBecomeOneCharacterAndLoneSurrogatesAReplaced) {
  EXPECT_EQ(utf16ToUtf8(cp1250ToUtf16(cp("Ťažký kôň"))), "Ťažký kôň");
  EXPECT_EQ(utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace drum
