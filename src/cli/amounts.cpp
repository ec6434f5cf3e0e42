#include "cli/amounts.h"

#include <fstream>
#include <stdexcept>

#include "model/amount_store.h"
#include "model/amounts_csv.h"

namespace tallowmere::cli {
namespace {

// Larger files are refused before they are read whole (the path may name a device).
constexpr std::streamsize kMaxFileBytes = 256 << 20;

std::string ReadAmountsFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot read the amounts file " + path);
  std::string text;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<size_t>(in.gcount()));
    if (static_cast<std::streamsize>(text.size()) > kMaxFileBytes)
      throw std::runtime_error("The amounts file " + path + " is larger than 256 MB");
  }
  if (in.bad()) throw std::runtime_error("Cannot read the amounts file " + path);
  return text;
}

template <class Parse>
auto Option(const std::string& flag, const std::string& text, Parse parse) {
  try {
    return parse(text);
  } catch (const std::invalid_argument& e) {
    throw std::runtime_error(flag + ": " + e.what());
  }
}

}  // namespace

void ApplyAmountOptions(const GenerateOptions& options, SettingsStore& store, TemplateModel& model) {
  LoadAmounts(store, model);
  if (!options.items.empty())
    for (TemplateItem& item : model.Items()) item.Rules.clear();
  if (!options.amounts.empty()) {
    const std::string text = ReadAmountsFile(options.amounts);
    std::vector<std::vector<AmountRule>> rules;
    try {
      rules = ReadAmountsCsv(text, model.Items());
    } catch (const AmountsFileError& e) {
      throw std::runtime_error(options.amounts + ", " + e.what() + " Nothing of the file was taken.");
    }
    for (size_t i = 0; i < rules.size(); ++i) model.Items()[i].Rules = std::move(rules[i]);
  }
  if (options.openingCash) model.Forecast().openingCash = Option("--opening-cash", *options.openingCash, ParseMoney);
  if (options.week1) model.Forecast().week1 = Option("--week1", *options.week1, ParseDate);
  if (options.minimumCash)
    model.Forecast().minimumCash = Option("--minimum-cash", *options.minimumCash, ParseMinimumCash);
}

}  // namespace tallowmere::cli
