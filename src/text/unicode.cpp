// UTF-8 <-> UTF-16 by Unicode's table of well-formed byte sequences.

#include "text/unicode.h"

#include <optional>

namespace tallowmere {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The lead bytes of multi-byte sequences, with the range their second byte must lie in
// (the later bytes always lie in 0x80..0xBF). The narrowed ranges exclude overlong
// forms (E0, F0), encoded surrogates (ED) and code points past U+10FFFF (F4).
struct LeadByte {
  unsigned char first, last;
  std::size_t length;
  unsigned char secondLow, secondHigh;
};
constexpr LeadByte kLeadBytes[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
    {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

struct CodePoint {
  char32_t code;
  std::size_t length;  // bytes of UTF-8
};

// The code point whose well-formed sequence begins at text[pos], or nothing.
std::optional<CodePoint> DecodeAt(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return CodePoint{lead, 1};
  for (const auto& form : kLeadBytes) {
    if (lead < form.first || lead > form.last) continue;
    if (text.size() - pos < form.length) return std::nullopt;
    char32_t code = lead & (0x7F >> form.length);
    for (std::size_t i = 1; i < form.length; ++i) {
      const auto next = static_cast<unsigned char>(text[pos + i]);
      const unsigned char low = i == 1 ? form.secondLow : 0x80, high = i == 1 ? form.secondHigh : 0xBF;
      if (next < low || next > high) return std::nullopt;
      code = code << 6 | (next & 0x3F);
    }
    return CodePoint{code, form.length};
  }
  return std::nullopt;
}

bool IsSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
    return;
  }
  const int continuations = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  const unsigned char leadMarks[] = {0xC0, 0xE0, 0xF0};
  out += static_cast<char>(leadMarks[continuations - 1] | (code >> (6 * continuations)));
  for (int i = continuations - 1; i >= 0; --i) out += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
}

}  // namespace

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto decoded = DecodeAt(utf8, pos);
    const char32_t code = decoded ? decoded->code : kReplacement;
    pos += decoded ? decoded->length : 1;  // a malformed sequence is replaced byte by byte
    if (code < 0x10000) {
      out += static_cast<char16_t>(code);
    } else {
      out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t code = utf16[i];
    if (IsHighSurrogate(code) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (IsSurrogate(code)) {
      code = kReplacement;
    }
    AppendUtf8(out, code);
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto decoded = DecodeAt(text, pos);
    if (!decoded) return false;
    pos += decoded->length;
  }
  return true;
}

std::vector<std::pair<std::size_t, char32_t>> CodePoints(std::string_view utf8) {
  std::vector<std::pair<std::size_t, char32_t>> points;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto decoded = DecodeAt(utf8, pos);
    points.emplace_back(pos, decoded ? decoded->code : kReplacement);
    pos += decoded ? decoded->length : 1;
  }
  return points;
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto decoded = DecodeAt(utf8, pos);
    pos += decoded ? decoded->length : 1;
    units += decoded && decoded->code >= 0x10000 ? 2 : 1;  // a surrogate pair, or one unit
  }
  return units;
}

}  // namespace tallowmere
