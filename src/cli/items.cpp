#include "cli/items.h"

#include <fstream>
#include <stdexcept>

#include "model/store_keys.h"
#include "model/template_model.h"
#include "text/unicode.h"

namespace tallowmere::cli {
namespace {

// Every three bytes of UTF-8 make at least one UTF-16 unit; a line may add a byte-order
// mark and a CR.
constexpr std::size_t kMaxLineBytes = 3 * kMaxTextLength + 4;

std::runtime_error TooLong(const std::string& where) {
  return std::runtime_error(where + " holds a name longer than " + std::to_string(kMaxTextLength) + " characters");
}

// Reads the next line into line without its line feed, refusing one too long to be a
// name before it is read whole (the file may have no end, like a device); false at the end.
bool ReadLine(std::istream& in, std::string& line, const std::string& where) {
  line.clear();
  std::streambuf& buffer = *in.rdbuf();
  for (int c = buffer.sbumpc(); c != std::char_traits<char>::eof(); c = buffer.sbumpc()) {
    if (c == '\n') return true;
    if (line.size() == kMaxLineBytes) throw TooLong(where);
    line.push_back(static_cast<char>(c));
  }
  return !line.empty();
}

// The names of the lines of in, checked one by one as they are read.
std::vector<std::string> ReadNames(std::istream& in, const std::string& where) {
  std::vector<std::string> names;
  std::string line;
  for (int number = 1; ReadLine(in, line, where); ++number) {
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    // Bytes that are not UTF-8 would reach the sheet as replacement characters: the name
    // the user meant would be lost without a word.
    if (!IsValidUtf8(line))
      throw std::runtime_error(where + " has text that is not UTF-8 on line " + std::to_string(number));
    if (Utf16Length(line) > kMaxTextLength) throw TooLong(where);
    if (static_cast<int>(names.size()) == kMaxItems)
      throw std::runtime_error(where + " holds more than " + std::to_string(kMaxItems) + " names");
    names.push_back(line);
  }
  return names;
}

}  // namespace

std::vector<std::string> ReadItemNames(const std::string& path) {
  const std::runtime_error unreadable("Cannot read the item list " + path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw unreadable;
  const std::string where = "The item list " + path;
  std::vector<std::string> names;
  try {
    names = ReadNames(in, where);
  } catch (const std::ios_base::failure&) {
    throw unreadable;  // a folder, or a failing disk: the stream's own text does not name the file
  }
  if (in.bad()) throw unreadable;
  if (names.empty()) throw std::runtime_error(where + " holds no names");
  if (const std::string_view missing = MissingReservedItem(names); !missing.empty())
    throw std::runtime_error(where + " has no item named \"" + std::string(missing) + "\"");
  return names;
}

void ReadOnlyStore::OverlayItems(const std::vector<std::string>& names) {
  for (size_t i = 0; i < names.size(); ++i) overlay_[store_key::FieldKey(static_cast<int>(i) + 1)] = names[i];
  overlay_[store_key::kRows] = std::to_string(names.size());
  overlay_[store_key::kColumns] = "7";
  overlay_[store_key::kSaved] = "True";
}

std::string ReadOnlyStore::Read(const std::string& key, const std::string& defaultValue) {
  auto it = overlay_.find(key);
  return it != overlay_.end() ? it->second : base_.Read(key, defaultValue);
}

void ReadOnlyStore::Write(const std::string& key, const std::string&) {
  throw std::runtime_error("The command line does not change the settings (" + key + ")");
}

}  // namespace tallowmere::cli
