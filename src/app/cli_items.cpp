#include "cli_items.h"

#include <fstream>
#include <stdexcept>

#include "model/store_keys.h"
#include "model/template_model.h"

namespace tallowmere::cli {

std::vector<std::string> ReadItemNames(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot read the item list " + path);
  std::vector<std::string> names;
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    first = false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (static_cast<int>(names.size()) == kMaxItems)
      throw std::runtime_error("The item list " + path + " holds more than " + std::to_string(kMaxItems) + " names");
    names.push_back(line);
  }
  if (in.bad()) throw std::runtime_error("Cannot read the item list " + path);
  if (names.empty()) throw std::runtime_error("The item list " + path + " holds no names");
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
