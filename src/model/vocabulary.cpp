// The fixed vocabulary of item names: which names are totals, headings or reserved, and
// the default template.
#include <array>
#include <unordered_set>

#include "model/item_names.h"
#include "model/template_model.h"

namespace tallowmere {
namespace {

using namespace item_name;

// The reference rules depend on exactly these names, so the commands never let them go.
constexpr std::array<std::string_view, 8> kReservedNames = {kCashOnHand,         kCashSales,   kTotalCashReceipts,
                                                            kTotalCashAvailable, kPurchases,   kSubtotal,
                                                            kTotalCashPaidOut,   kCashPosition};

}  // namespace

std::string MatchForm(std::string_view name) {
  std::string form(name);
  if (const auto amp = form.find('&'); amp != std::string::npos) form.erase(amp, 1);
  return form;
}

std::string ItemKind(std::string_view name) {
  if (name == kCashOnHand) return "OTHER";
  if (name == kTotalCashReceipts || name == kTotalCashAvailable || name == kSubtotal || name == kTotalCashPaidOut)
    return "SUM";
  if (name == kCashPosition) return "DIF";
  return {};
}

bool IsHeaderItem(std::string_view name) {
  return name == kCashReceipts || name == kCashPaidOut || name == kOperatingData;
}

bool IsReservedItem(std::string_view name) {
  const std::string form = MatchForm(name);
  for (std::string_view reserved : kReservedNames) {
    if (form == MatchForm(reserved)) return true;
  }
  return false;
}

std::string_view MissingReservedItem(const std::vector<std::string>& names) {
  std::unordered_set<std::string> forms;
  for (const std::string& name : names) forms.insert(MatchForm(name));
  for (std::string_view reserved : kReservedNames) {
    if (!forms.contains(MatchForm(reserved))) return reserved;
  }
  return {};
}

const std::vector<std::string>& DefaultItemNames() {
  static const std::vector<std::string> names = {
      std::string(kCashOnHand),
      std::string(kCashReceipts),
      std::string(kCashSales),
      "Collections from CR accounts",
      "Loan or other cash injection",
      std::string(kTotalCashReceipts),
      std::string(kTotalCashAvailable),
      std::string(kCashPaidOut),
      std::string(kPurchases),
      "Purchases (specify)",
      "_Purchases (specify)",
      "Gross wages (exact withdrawal)",
      "Payroll expenses (taxes, etc.)",
      "Outside services",
      "Supplies (office & operating)",
      "Repairs & maintenance",
      "Advertising",
      "Car, delivery & travel",
      "Accounting & legal",
      "Rent",
      "Telephone",
      "Utilities",
      "Insurance",
      "Taxes (real estate, etc.)",
      "Interest",
      "Other expenses (specify)",
      "Other (specify)",
      "_Other (specify)",
      "Miscellaneous",
      std::string(kSubtotal),
      "Loan principal payment",
      "Capital purchase (specify)",
      "Other startup costs",
      "Reserve and/or Escrow",
      "Owners' Withdrawal",
      std::string(kTotalCashPaidOut),
      std::string(kCashPosition),
      std::string(kOperatingData),
      "Sales Volume (dollars)",
      "Accounts Receivable",
      "Bad Debt (end of month)",
      "Inventory on hand (end of month)",
      "Accounts Payable (end of month)",
      "Depreciation",
  };
  return names;
}

}  // namespace tallowmere
