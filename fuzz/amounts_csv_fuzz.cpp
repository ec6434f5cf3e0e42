// Reads arbitrary bytes as an amounts file for the default template. A file that is taken
// must come back in the same bytes from its own export, and its rules must expand onto a
// grid of months and one of weeks; the same bytes are also read as stored rules, whose
// stored form must read back equal. Any other outcome than a refusal aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "model/amount_expansion.h"
#include "model/amount_store.h"
#include "model/amounts_csv.h"
#include "platform/memory_store.h"

namespace {

using namespace tallowmere;

void Require(bool condition) {
  if (!condition) std::abort();
}

const std::vector<TemplateItem>& DefaultItems() {
  static VectorListView list;
  static TemplateModel model(list);
  static const bool loaded = [] {
    MemoryStore store;
    PlainParameterFields fields;
    model.LoadTemplate(false, store, fields);
    return true;
  }();
  (void)loaded;
  return model.Items();
}

void ReadAsFile(const std::string& text) {
  std::vector<TemplateItem> items = DefaultItems();
  std::vector<std::vector<AmountRule>> rules;
  try {
    rules = ReadAmountsCsv(text, items);
  } catch (const AmountsFileError&) {
    return;
  }
  for (size_t i = 0; i < items.size(); ++i) items[i].Rules = rules[i];
  const std::string exported = WriteAmountsCsv(items);
  const std::vector<std::vector<AmountRule>> again = ReadAmountsCsv(exported, items);
  Require(again == rules);
  ReportParameters months;
  months.monthFirstYear = months.monthLastYear = "2027";
  ReportParameters weeks;
  weeks.mode = PeriodMode::Week;
  weeks.weeks = "100";
  for (const std::vector<AmountRule>& itemRules : rules) {
    Require(ExpandRules(itemRules, GridOf(months, kFirstDate)).size() == 13);
    Require(ExpandRules(itemRules, GridOf(weeks, ParseDate("2027-01-04"))).size() == 101);
  }
}

void ReadAsStored(const std::string& text) {
  std::vector<AmountRule> rules;
  try {
    rules = ParseStoredRules(text);
  } catch (const std::invalid_argument&) {
    return;
  }
  Require(ParseStoredRules(StoredRulesText(rules)) == rules);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ReadAsFile(text);
  ReadAsStored(text);
  return 0;
}
