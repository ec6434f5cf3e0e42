#include "engine/render/internal/bidi.h"

#include <fribidi.h>

#include <algorithm>

namespace tallowmere::engine {
namespace {

// The first code point of the Hebrew block: no character before it runs right to left
// or changes the direction of others.
constexpr char32_t kFirstRightToLeft = 0x0590;

}  // namespace

std::vector<std::uint8_t> BidiLevels(const std::vector<char32_t>& line) {
  std::vector<std::uint8_t> levels(line.size(), 0);
  if (std::all_of(line.begin(), line.end(), [](char32_t c) { return c < kFirstRightToLeft; })) return levels;
  const std::vector<FriBidiChar> text(line.begin(), line.end());
  const auto length = static_cast<FriBidiStrIndex>(text.size());
  std::vector<FriBidiCharType> types(text.size());
  std::vector<FriBidiBracketType> brackets(text.size());
  std::vector<FriBidiLevel> found(text.size());
  fribidi_get_bidi_types(text.data(), length, types.data());
  fribidi_get_bracket_types(text.data(), length, types.data(), brackets.data());
  FriBidiParType base = FRIBIDI_PAR_LTR;
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &base, found.data()) == 0)
    return levels;  // out of memory: the text is drawn in the order it is typed
  // Spaces at the end of the line take the paragraph's level.
  for (std::size_t i = text.size(); i > 0 && FRIBIDI_IS_EXPLICIT_OR_BN_OR_WS(types[i - 1]); --i) found[i - 1] = 0;
  std::transform(found.begin(), found.end(), levels.begin(), [](FriBidiLevel l) { return std::uint8_t(l); });
  return levels;
}

std::vector<std::size_t> VisualOrder(const std::vector<std::uint8_t>& runLevels) {
  std::vector<std::size_t> order(runLevels.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  if (runLevels.empty()) return order;
  const int highest = *std::max_element(runLevels.begin(), runLevels.end());
  int lowestOdd = highest + 1;
  for (const std::uint8_t level : runLevels)
    if (level % 2 == 1) lowestOdd = std::min<int>(lowestOdd, level);
  // From the highest level down to the lowest odd one, each stretch of runs at that level
  // or above reverses.
  for (int level = highest; level >= lowestOdd; --level) {
    for (std::size_t first = 0; first < order.size();) {
      if (runLevels[order[first]] < level) {
        ++first;
        continue;
      }
      std::size_t last = first;
      while (last < order.size() && runLevels[order[last]] >= level) ++last;
      std::reverse(order.begin() + static_cast<std::ptrdiff_t>(first),
                   order.begin() + static_cast<std::ptrdiff_t>(last));
      first = last;
    }
  }
  return order;
}

}  // namespace tallowmere::engine
