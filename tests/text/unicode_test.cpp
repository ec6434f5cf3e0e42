// The conversion between UTF-8 and UTF-16 that every string of the file format and of
// the picture goes through: well-formed text unchanged both ways, malformed UTF-8
// replaced byte by byte, unpaired surrogates replaced one by one.
#include "text/unicode.h"

#include <gtest/gtest.h>

#include <string>

namespace tallowmere {
namespace {

using namespace std::string_literals;

constexpr char16_t kReplacement = 0xFFFD;

struct Utf8Case {
  std::string utf8;
  std::u16string utf16;
};

TEST(Unicode, WellFormedTextConvertsBothWaysUnchanged) {
  const Utf8Case cases[] = {
      {"", u""},
      {"Gr\xC3\xB6\xC3\x9F"
       "e \xE2\x82\xAC",
       u"Gr\u00F6\u00DFe \u20AC"},
      {"\xF0\x9F\x98\x80", {0xD83D, 0xDE00}},                 // outside the basic plane: a pair
      {"\xED\x9F\xBF\xEE\x80\x80", {0xD7FF, 0xE000}},         // either side of the surrogates
      {"\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}},                 // U+10FFFF, the last code point
      {"a\0b"s, {u'a', 0, u'b'}},                             // a NUL is a character like any other
      {"\xEF\xBB\xBFx\xEF\xBF\xBF", {0xFEFF, u'x', 0xFFFF}},  // a leading U+FEFF stays
  };
  for (const auto& [utf8, utf16] : cases) {
    SCOPED_TRACE(::testing::PrintToString(utf8));
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(ToUtf16(utf8), utf16);
    EXPECT_EQ(Utf16Length(utf8), utf16.size());
    EXPECT_EQ(ToUtf8(utf16), utf8);
  }
}

TEST(Unicode, EachByteOfAMalformedSequenceBecomesOneReplacementCharacter) {
  const char16_t r = kReplacement;
  const Utf8Case cases[] = {
      {"a\x80"
       "b",
       {u'a', r, u'b'}},  // a stray continuation byte
      {"\xE2\x82"
       "a",
       {r, r, u'a'}},               // cut short before another character
      {"\xF0\x9F\x98", {r, r, r}},  // cut short by the end
      {"\xC0\x80", {r, r}},         // overlong forms
      {"\xE0\x9F\xBF", {r, r, r}},
      {"\xF0\x8F\xBF\xBF", {r, r, r, r}},
      {"\xED\xA0\x80", {r, r, r}},         // an encoded surrogate
      {"\xF4\x90\x80\x80", {r, r, r, r}},  // past U+10FFFF
      {"\xF8\x88\x80\x80\x80", {r, r, r, r, r}},
      {"\xFF\xC2", {r, r}},
  };
  for (const auto& [utf8, utf16] : cases) {
    SCOPED_TRACE(::testing::PrintToString(utf8));
    EXPECT_FALSE(IsValidUtf8(utf8));
    EXPECT_EQ(ToUtf16(utf8), utf16);
    EXPECT_EQ(Utf16Length(utf8), utf16.size());
  }
}

TEST(Unicode, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::string r = "\xEF\xBF\xBD";
  const std::pair<std::u16string, std::string> cases[] = {
      {{0xD800}, r},
      {{u'a', 0xDBFF}, "a" + r},
      {{0xDC00, u'a'}, r + "a"},
      {{0xDC00, 0xD800}, r + r},  // the wrong order is no pair
      {{0xD800, 0xD800, 0xDC00}, r + "\xF0\x90\x80\x80"},
  };
  for (const auto& [utf16, utf8] : cases) {
    SCOPED_TRACE(::testing::PrintToString(utf8));
    EXPECT_EQ(ToUtf8(utf16), utf8);
  }
}

}  // namespace
}  // namespace tallowmere
