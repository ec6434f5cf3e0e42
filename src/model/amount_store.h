#pragma once
// The numbers of a plan in the settings store, under keys of their own beside the table's:
// a store without them is a plan without numbers, and a plan without numbers writes none.

#include <string>
#include <vector>

#include "model/template_model.h"
#include "platform/settings_store.h"

namespace tallowmere {

// Reads the opening cash, Week 1's first day, the minimum cash and, when the stored table is the one loaded
// (its saved flag is true), every item's rules. All or nothing: throws std::runtime_error
// naming the key of the first value that cannot be read, leaving the model as it was.
void LoadAmounts(SettingsStore& store, TemplateModel& model);

// The writes of closing for the numbers: each item's rules at line 126, the opening cash
// at 128, Week 1's first day at 130 and the minimum cash at 132. A key is written only when it has a value or the
// store holds one for it, so that removed numbers are cleared and none are added.
std::vector<StoreStep> AmountStoreSteps(const TemplateModel& model, SettingsStore& store);

// The stored form of rules, "5000|monthly|2027-01-01||2.5" joined by ";", and back. The
// reading throws std::invalid_argument.
std::string StoredRulesText(const std::vector<AmountRule>& rules);
std::vector<AmountRule> ParseStoredRules(const std::string& text);

}  // namespace tallowmere
