#pragma once
// The order in which a line of mixed left-to-right and right-to-left text is drawn: the
// Unicode bidirectional algorithm over one line whose paragraph runs left to right, as a
// cell's text does in the workbook's other views.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tallowmere::engine {

// The embedding level of each character of a line (even: left to right, odd: right to
// left); all zero for a line without right-to-left characters, found without the library.
std::vector<std::uint8_t> BidiLevels(const std::vector<char32_t>& line);

// The order, left to right on the page, in which to draw runs of the given levels that
// follow each other in the text.
std::vector<std::size_t> VisualOrder(const std::vector<std::uint8_t>& runLevels);

}  // namespace tallowmere::engine
