// The picture's fonts: a character the cell's face lacks comes from another face that has
// it, through the system's font configuration.
#include "engine/render/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tallowmere::engine
