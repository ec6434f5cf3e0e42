// Reference lists of the total rows: which item numbers a total adds or subtracts, and
// which row the opening cash carries over. Derived from the names alone.
#include <stdexcept>

#include "model/internal/name_index.h"
#include "model/item_names.h"
#include "model/template_model.h"

namespace tallowmere {
namespace {

using namespace item_name;

[[noreturn]] void ThrowMissing(std::string_view name) {
  throw std::runtime_error("The template has no item named \"" + std::string(name) + "\".");
}

// Appends the numbers of every item named target to list, after a "," when the list
// already holds numbers. Throws when no item bears the name.
void CollectRowsNamed(std::string_view target, const NameIndex& index, std::string& list) {
  const std::vector<int>& numbers = index.NumbersNamed(target);
  if (numbers.empty()) ThrowMissing(target);
  index.CountListed(numbers.size());
  for (int number : numbers) {
    if (!list.empty()) list += ',';
    list += std::to_string(number);
  }
}

// The items from the one named firstName through the item above the last one named
// name, each contributing the items that bear its own name.
void CollectRange(std::string_view name, std::string_view firstName, const NameIndex& index, std::string& list) {
  const int last = index.FindItem(name) - 1;
  const int first = index.FindItem(firstName);
  if (first == 0) ThrowMissing(firstName);
  for (int r = first; r <= last; ++r) CollectRowsNamed(index.NameOf(r), index, list);
}

}  // namespace

NameIndex::NameIndex(const std::vector<TemplateItem>& items) : items_(items) {
  for (size_t i = 0; i < items.size(); ++i) {
    numbers_[MatchForm(items[i].Name)].push_back(static_cast<int>(i) + 1);
  }
}

void NameIndex::CountListed(size_t numbers) const {
  listed_ += numbers;
  if (listed_ > kMaxListedNumbers) {
    throw std::runtime_error(
        "The template's reference lists are too long: too many items share the names of total rows.");
  }
}

const std::vector<int>& NameIndex::NumbersNamed(std::string_view name) const {
  static const std::vector<int> kNone;
  const auto it = numbers_.find(MatchForm(name));
  return it == numbers_.end() ? kNone : it->second;
}

int NameIndex::FindItem(std::string_view name) const {
  const std::vector<int>& numbers = NumbersNamed(name);
  return numbers.empty() ? 0 : numbers.back();
}

std::string BuildItemRefs(std::string_view name, const NameIndex& index) {
  std::string list;
  if (name == kCashOnHand) {
    CollectRowsNamed(kCashPosition, index, list);
  } else if (name == kTotalCashReceipts) {
    CollectRange(name, kCashSales, index, list);
  } else if (name == kTotalCashAvailable) {
    CollectRange(name, kCashOnHand, index, list);
  } else if (name == kSubtotal) {
    CollectRange(name, kPurchases, index, list);
  } else if (name == kTotalCashPaidOut) {
    CollectRange(name, kSubtotal, index, list);
  } else if (name == kCashPosition) {
    CollectRowsNamed(kTotalCashAvailable, index, list);
    CollectRowsNamed(kTotalCashPaidOut, index, list);
  }
  return list;
}

int TemplateModel::FindItem(std::string_view name) const {
  const std::string form = MatchForm(name);
  int found = 0;
  for (int r = 1; r <= Count(); ++r) {
    if (MatchForm(items_[r - 1].Name) == form) found = r;
  }
  return found;
}

std::string TemplateModel::BuildItemRefs(std::string_view name) const {
  if (ItemKind(name).empty()) return {};  // only the total and opening-cash rows have lists
  return tallowmere::BuildItemRefs(name, NameIndex(items_));
}

}  // namespace tallowmere
