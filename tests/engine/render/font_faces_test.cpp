// The picture's fonts: a character the cell's face lacks comes from another face that has
// it, through the system's font configuration; right-to-left text is laid out in the order
// it is read.
#include "engine/render/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tallowmere::engine {
namespace {

// True when some installed face has character.
bool SomeFaceHas(char32_t character) {
  FcPattern* pattern = FcPatternCreate();
  FcCharSet* characters = FcCharSetCreate();
  FcCharSetAddChar(characters, character);
  FcPatternAddCharSet(pattern, FC_CHARSET, characters);
  FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
  FcFontSet* found = FcFontList(nullptr, pattern, objects);
  const bool has = found && found->nfont > 0;
  if (found) FcFontSetDestroy(found);
  FcObjectSetDestroy(objects);
  FcCharSetDestroy(characters);
  FcPatternDestroy(pattern);
  return has;
}

TEST(FontFaces, ACharacterTheFaceLacksComesFromAFaceThatHasIt) {
  // U+2602 UMBRELLA: in the common fallback faces, not in Liberation Sans.
  if (!SomeFaceHas(U'\u2602')) GTEST_SKIP() << "no installed face has U+2602";
  FontFaces faces(nullptr);
  const int font = faces.Font({"Arial", 10, false, false});
  const FontFaces::ShapedText& shaped = faces.Shape(font, "Rain \u2602 cover");
  std::set<int> used;
  for (const FontFaces::PlacedGlyph& glyph : shaped.glyphs) {
    used.insert(glyph.face);
    EXPECT_NE(glyph.glyph, 0u) << "no glyph drawn as the missing-glyph box";
  }
  EXPECT_EQ(used.size(), 2u) << "the umbrella from a second face, the rest from the first";
  EXPECT_EQ(faces.Font({"Arial", 10, false, false}), font);
}

struct BidiCase {
  const char* text;
  const char *leftmost, *rightmost;  // characters drawn at either end
};

void PrintTo(const BidiCase& c, std::ostream* out) { *out << c.text; }

class RightToLeft : public ::testing::TestWithParam<BidiCase> {};

// The line runs left to right; a stretch of right-to-left letters reads from its right
// end, numbers inside it still left to right, also when its letters come from another face.
TEST_P(RightToLeft, RunsAreDrawnInReadingOrder) {
  const BidiCase& c = GetParam();
  FontFaces faces(nullptr);
  const int font = faces.Font({"Arial", 10, false, false});
  const auto glyphOf = [&](const char* character) { return faces.Shape(font, character).glyphs.at(0).glyph; };
  const std::vector<FontFaces::PlacedGlyph>& glyphs = faces.Shape(font, c.text).glyphs;
  if (std::any_of(glyphs.begin(), glyphs.end(), [](auto& g) { return g.glyph == 0; }))
    GTEST_SKIP() << "no installed face has every character of " << c.text;
  const auto byX = [](const auto& a, const auto& b) { return a.x < b.x; };
  EXPECT_EQ(std::min_element(glyphs.begin(), glyphs.end(), byX)->glyph, glyphOf(c.leftmost));
  EXPECT_EQ(std::max_element(glyphs.begin(), glyphs.end(), byX)->glyph, glyphOf(c.rightmost));
}

INSTANTIATE_TEST_SUITE_P(Lines, RightToLeft,
                         ::testing::Values(BidiCase{"Abc", "A", "c"},
                                           BidiCase{"Abc \u05D0\u05D1\u05D2", "A", "\u05D0"},  // Hebrew after Latin
                                           BidiCase{"\u05D0\u05D1\u05D2 Abc", "\u05D2", "c"},  // Hebrew first
                                           BidiCase{"\u05D0 12", "1", "\u05D0"},               // a number in it
                                           // Arabic, from a second face
                                           BidiCase{"Abc \u0631 \u0633\u0633", "A", "\u0631"}));

}  // namespace
}  // namespace tallowmere::engine
