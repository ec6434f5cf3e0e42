#pragma once
// The program's one conversion between UTF-8, in which it keeps text, and UTF-16, in which
// the file format stores it, Qt draws it and the settings file escapes it. Malformed
// input never fails a conversion: each byte that does not begin a well-formed UTF-8
// sequence, and each unpaired surrogate, becomes U+FFFD.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tallowmere {

// UTF-16 code units of UTF-8 text. Well-formed means Unicode's definition: no overlong
// forms, no encoded surrogates, nothing past U+10FFFF. U+0000 and U+FEFF are kept.
std::u16string ToUtf16(std::string_view utf8);

// UTF-8 text of UTF-16 code units.
std::string ToUtf8(std::u16string_view utf16);

// True when text is well-formed UTF-8, so that ToUtf16 replaces nothing.
bool IsValidUtf8(std::string_view text);

// Each code point of UTF-8 text with the byte it begins at; a byte that does not begin a
// well-formed sequence stands for U+FFFD, as in ToUtf16.
std::vector<std::pair<std::size_t, char32_t>> CodePoints(std::string_view utf8);

// Number of UTF-16 units of UTF-8 text (what the file format counts), found without
// converting: always ToUtf16(text).size(), malformed bytes included, so that a length
// check agrees with what is written.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace tallowmere
