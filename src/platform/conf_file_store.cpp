#include "platform/conf_file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "text/unicode.h"

namespace tallowmere {
namespace {

constexpr std::string_view kSection = "Tallowmere/";
constexpr const char* kFileName = "/Quenwick.conf";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSpace(char c) { return IsBlank(c) || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Text read from the file as well-formed UTF-8: a byte that begins no well-formed
// character becomes U+FFFD.
std::string ValidUtf8(const std::string& text) { return IsValidUtf8(text) ? text : ToUtf8(ToUtf16(text)); }

// A key as the file spells it: "\" stands for "/", %XX for a Latin-1 character and
// %UXXXX for a UTF-16 code unit.
std::string UnescapedKey(std::string_view key) {
  std::string out;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const bool wide = key[i] == '%' && i + 1 < key.size() && key[i + 1] == 'U';
    const std::size_t digits = wide ? 4 : 2, first = i + (wide ? 2 : 1);
    char32_t value = 0;
    bool escaped = key[i] == '%' && first + digits <= key.size();
    for (std::size_t d = 0; escaped && d < digits; ++d) {
      const int digit = HexValue(key[first + d]);
      escaped = digit >= 0;
      value = value * 16 + static_cast<char32_t>(escaped ? digit : 0);
    }
    if (escaped) {
      out += ToUtf8(std::u16string(1, static_cast<char16_t>(value)));
      i = first + digits - 1;
    } else {
      out += key[i] == '\\' ? '/' : key[i];
    }
  }
  return ValidUtf8(out);
}

// A value's texts: one, or a list where commas outside quotes separate texts. Blanks
// around a text are dropped unless it is quoted or they come from escapes; backslash
// escapes as in C (\xHHHH and octal ones give UTF-16 code units); a backslash before a
// line end joins the lines; any other escaped character is dropped.
class ValueReader {
 public:
  explicit ValueReader(std::string_view raw) : raw_(raw) {}

  std::vector<std::string> Texts(bool& list) {
    list = false;
    at_ = SkipBlanks(0);
    while (at_ < raw_.size()) {
      const char c = raw_[at_];
      if (c == '\\') {
        if (!Escape()) return Finish(false);
      } else if (c == '"') {
        ++at_;
        quoted_ = true;
        inQuotes_ = !inQuotes_;
        if (!inQuotes_) at_ = SkipBlanks(at_);
      } else if (c == ',' && !inQuotes_) {
        EndText(true);
        list = true;
        at_ = SkipBlanks(at_ + 1);
      } else {
        WriteUnits();
        current_ += c;
        ++at_;
      }
    }
    return Finish(true);
  }

 private:
  std::size_t SkipBlanks(std::size_t at) const {
    while (at < raw_.size() && IsBlank(raw_[at])) ++at;
    return at;
  }

  // Reads the escape at at_; false when the value ends with its backslash.
  bool Escape() {
    static constexpr std::string_view kFrom = "abfnrtv\"?'\\", kTo = "\a\b\f\n\r\t\v\"?'\\";
    if (++at_ >= raw_.size()) return false;
    const char e = raw_[at_++];
    if ((e == 'x' && at_ < raw_.size() && HexValue(raw_[at_]) >= 0) || (e >= '0' && e <= '7')) {
      const int base = e == 'x' ? 16 : 8;
      char16_t unit = e == 'x' ? 0 : static_cast<char16_t>(e - '0');
      for (int digit; at_ < raw_.size() && (digit = HexValue(raw_[at_])) >= 0 && digit < base; ++at_)
        unit = static_cast<char16_t>(unit * base + digit);
      units_ += unit;
      return true;
    }
    WriteUnits();
    if (const std::size_t simple = kFrom.find(e); simple != std::string_view::npos) {
      current_ += kTo[simple];
    } else if (IsLineEnd(e) && at_ < raw_.size() && IsLineEnd(raw_[at_]) && raw_[at_] != e) {
      ++at_;  // a backslash before a two-character line end
    }
    kept_ = current_.size();
    return true;
  }

  // Writes the code units of the escapes just read; trimming never reaches behind them.
  void WriteUnits() {
    if (units_.empty()) return;
    current_ += ToUtf8(units_);
    units_.clear();
    kept_ = current_.size();
  }

  void EndText(bool trim) {
    WriteUnits();
    if (trim && !quoted_) {
      while (current_.size() > kept_ && IsBlank(current_.back())) current_.pop_back();
    }
    texts_.push_back(ValidUtf8(current_));
    current_.clear();
    kept_ = 0;
    quoted_ = false;
  }

  std::vector<std::string> Finish(bool trim) {
    EndText(trim);
    return std::move(texts_);
  }

  std::string_view raw_;
  std::size_t at_ = 0;
  std::string current_;
  std::u16string units_;
  std::size_t kept_ = 0;  // current_'s length that trimming keeps
  bool quoted_ = false, inQuotes_ = false;
  std::vector<std::string> texts_;
};

// The text QSettings gives for one stored text: "@@" stands for "@", and of the typed
// forms "@String(...)", "@ByteArray(...)" (ASCII) and "@Invalid()" are texts too; nullopt
// for the other typed forms.
std::optional<std::string> TextOfSingle(const std::string& s) {
  if (!s.empty() && s.front() == '@' && s.back() == ')') {
    if (s.starts_with("@String(")) return s.substr(8, s.size() - 9);
    if (s.starts_with("@ByteArray(")) {
      const std::string bytes = s.substr(11, s.size() - 12);
      for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
      return bytes;
    }
    if (s == "@Invalid()") return "";
    for (const char* typed : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("})
      if (s.starts_with(typed)) return std::nullopt;
  }
  return s.starts_with("@@") ? s.substr(1) : s;
}

// The texts of a list joined with ", ". A list that holds any typed form is no list of
// texts: QSettings reads it as nothing.
std::string TextOfList(const std::vector<std::string>& texts) {
  std::string joined;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!texts[i].empty() && texts[i].front() == '@' && !texts[i].starts_with("@@")) return "";
    joined += (i ? ", " : "") + (texts[i].starts_with("@@") ? texts[i].substr(1) : texts[i]);
  }
  return joined;
}

// The end of the logical line that starts at start: an unquoted line end or an unquoted
// ";" (a comment follows); equals gets the first unquoted "=".
std::size_t LineEnd(std::string_view data, std::size_t start, std::size_t& equals) {
  bool inQuotes = false;
  equals = std::string_view::npos;
  std::size_t i = start;
  for (; i < data.size(); ++i) {
    const char c = data[i];
    if (c == '=' && !inQuotes && equals == std::string_view::npos) {
      equals = i;
    } else if ((IsLineEnd(c) || c == ';') && !inQuotes) {
      break;
    } else if (c == '\\' && i + 1 < data.size()) {
      ++i;
      if (i + 1 < data.size() && IsLineEnd(data[i]) && IsLineEnd(data[i + 1]) && data[i] != data[i + 1]) ++i;
    } else if (c == '"') {
      inQuotes = !inQuotes;
    }
  }
  return i;
}

// The section a "[name]" line opens, as the prefix of its keys.
std::string SectionPrefix(std::string_view line) {
  const std::size_t close = line.find(']');
  const std::string_view name = Trimmed(line.substr(1, close == std::string_view::npos ? close : close - 1));
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "general") return "";
  return (lower == "%general" ? std::string("general") : UnescapedKey(name)) + "/";
}

// The keys and raw values of an INI file; a key given twice keeps its last value.
std::map<std::string, std::string> ParseFile(std::string_view data) {
  if (data.starts_with("\xEF\xBB\xBF")) data.remove_prefix(3);
  std::map<std::string, std::string> values;
  std::string section;
  for (std::size_t at = 0; at < data.size();) {
    while (at < data.size() && IsSpace(data[at])) ++at;
    if (at == data.size()) break;
    if (data[at] == ';') {  // a comment, to the end of the line
      while (at < data.size() && !IsLineEnd(data[at])) ++at;
      continue;
    }
    std::size_t equals = 0;
    const std::size_t end = LineEnd(data, at, equals);
    const std::string_view line = data.substr(at, end - at);
    if (line.front() == '[') {
      section = SectionPrefix(line);
    } else if (equals != std::string_view::npos) {
      const std::string key = UnescapedKey(Trimmed(data.substr(at, equals - at)));
      values[section + key] = std::string(data.substr(equals + 1, end - equals - 1));
    }
    at = end;
  }
  return values;
}

// The file's bytes; nullopt when there is no file. Throws when it cannot be read.
std::optional<std::string> ReadFile(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0 && (errno == ENOENT || errno == ENOTDIR)) return std::nullopt;
  std::string bytes;
  int error = descriptor < 0 ? errno : 0;
  struct stat status {};
  if (!error && ::fstat(descriptor, &status) != 0) error = errno;
  if (!error && S_ISDIR(status.st_mode)) error = EISDIR;
  char buffer[16384];
  while (!error) {
    const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
    if (got == 0) break;
    if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
    if (got < 0 && errno != EINTR) error = errno;
  }
  if (descriptor >= 0) ::close(descriptor);
  if (error) throw std::runtime_error("The settings file " + path + " cannot be read: " + std::strerror(error) + ".");
  return bytes;
}

// The folder of the user's settings: $XDG_CONFIG_HOME, else .config in $HOME, where an
// unset or empty $HOME stands for the root folder (so QSettings has it).
std::string UserConfigFolder() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string folder = configHome && *configHome ? configHome : std::string(home ? home : "") + "/.config";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

ConfFileStore::ConfFileStore(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    const std::optional<std::string> data = ReadFile(file);
    if (!data) continue;
    for (auto& [key, raw] : ParseFile(*data)) entries_.try_emplace(key, Entry{std::move(raw), file});
  }
}

std::vector<std::string> ConfFileStore::StandardFiles() {
  return {UserConfigFolder() + kFileName, std::string("/etc/xdg") + kFileName};
}

std::string ConfFileStore::Read(const std::string& key, const std::string& defaultValue) {
  const auto found = entries_.find(std::string(kSection) + key);
  if (found == entries_.end()) return defaultValue;
  bool list = false;
  const std::vector<std::string> texts = ValueReader(found->second.raw).Texts(list);
  if (list) return TextOfList(texts);
  if (std::optional<std::string> text = TextOfSingle(texts.front())) return *text;
  throw std::runtime_error("The setting " + key + " in " + found->second.file +
                           " holds a typed value (written as @Variant(...) or the like), not a text.");
}

void ConfFileStore::Write(const std::string& key, const std::string&) {
  throw std::runtime_error("The settings are only read here (" + key + ").");
}

}  // namespace tallowmere
