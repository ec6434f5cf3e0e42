// Loading and storing the numbers of a plan.
#include "model/amount_store.h"

#include <sstream>
#include <stdexcept>

#include "model/store_keys.h"
#include "model/text_values.h"

namespace tallowmere {
namespace {

constexpr const char* kAbsent = "\x01";  // no stored text equals it
constexpr int kRulesLine = 126;
constexpr int kOpeningCashLine = 128;
constexpr int kWeek1Line = 130;
constexpr int kMinimumCashLine = 132;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

AmountRule StoredRule(const std::string& text) {
  const std::vector<std::string> fields = Split(text, '|');
  if (fields.size() != 5) throw std::invalid_argument("\"" + text + "\" is no stored rule.");
  AmountRule rule;
  rule.amount = ParseAmount(fields[0]);
  rule.repeat = ParseRepeat(fields[1]);
  rule.first = ParseDate(fields[2]);
  if (!fields[3].empty()) rule.last = ParseDate(fields[3]);
  if (!fields[4].empty()) rule.growth = ParseGrowth(fields[4]);
  CheckRule(rule);
  return rule;
}

// Reads key and gives its text to parse; throws naming the key when parse refuses it.
template <class Parse>
auto ReadStored(SettingsStore& store, const std::string& key, Parse parse) -> std::optional<decltype(parse(""))> {
  const std::string text = store.Read(key, "");
  if (text.empty()) return std::nullopt;
  try {
    return parse(text);
  } catch (const std::exception& e) {
    throw std::runtime_error("The stored value of \"" + key + "\" cannot be read: " + e.what());
  }
}

void AddStep(std::vector<StoreStep>& steps, SettingsStore& store, int line, const std::string& key,
             const std::string& value) {
  if (!value.empty() || store.Read(key, kAbsent) != kAbsent) steps.push_back({line, key, value});
}

}  // namespace

std::string StoredRulesText(const std::vector<AmountRule>& rules) {
  std::string text;
  for (const AmountRule& rule : rules) {
    if (!text.empty()) text += ';';
    text += MoneyText(rule.amount) + '|' + RepeatText(rule.repeat) + '|' + DateText(rule.first) + '|' +
            (rule.last ? DateText(*rule.last) : "") + '|' + (rule.growth ? MoneyText(*rule.growth) : "");
  }
  return text;
}

std::vector<AmountRule> ParseStoredRules(const std::string& text) {
  std::vector<AmountRule> rules;
  for (const std::string& part : Split(text, ';')) rules.push_back(StoredRule(part));
  return rules;
}

void LoadAmounts(SettingsStore& store, TemplateModel& model) {
  ForecastSettings settings;
  settings.openingCash = ReadStored(store, store_key::kOpeningCash, ParseMoney);
  settings.week1 = ReadStored(store, store_key::kWeek1, ParseDate);
  settings.minimumCash = ReadStored(store, store_key::kMinimumCash, ParseMinimumCash);
  std::vector<std::vector<AmountRule>> rules(static_cast<size_t>(model.Count()));
  if (ParseBoolean(store.Read(store_key::kSaved, BooleanText(false)))) {
    for (int i = 1; i <= model.Count(); ++i)
      rules[i - 1] = ReadStored(store, store_key::AmountsKey(i), ParseStoredRules).value_or(std::vector<AmountRule>{});
  }
  model.Forecast() = settings;
  for (int i = 1; i <= model.Count(); ++i) model.Item(i).Rules = std::move(rules[i - 1]);
}

std::vector<StoreStep> AmountStoreSteps(const TemplateModel& model, SettingsStore& store) {
  std::vector<StoreStep> steps;
  for (int i = 1; i <= model.Count(); ++i)
    AddStep(steps, store, kRulesLine, store_key::AmountsKey(i), StoredRulesText(model.Item(i).Rules));
  const ForecastSettings& settings = model.Forecast();
  AddStep(steps, store, kOpeningCashLine, store_key::kOpeningCash,
          settings.openingCash ? MoneyText(*settings.openingCash) : "");
  AddStep(steps, store, kWeek1Line, store_key::kWeek1, settings.week1 ? DateText(*settings.week1) : "");
  AddStep(steps, store, kMinimumCashLine, store_key::kMinimumCash,
          settings.minimumCash ? MoneyText(*settings.minimumCash) : "");
  return steps;
}

}  // namespace tallowmere
