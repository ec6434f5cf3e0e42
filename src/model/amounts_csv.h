#pragma once
// The amount rules of a plan as a CSV file that other programs can write: UTF-8 (a
// byte-order mark allowed), quoted as RFC 4180, the header line
//   item,occurrence,amount,repeat,first,last,growth
// then one rule per line. An item is named as the list or the sheet shows it; occurrence
// counts the items answering to that name from 1 (the default table has two rows the sheet
// shows as "Purchases (specify)").

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/template_model.h"

namespace tallowmere {

// A file refused whole: "line N: " and the reason.
class AmountsFileError : public std::runtime_error {
 public:
  AmountsFileError(int line, const std::string& reason)
      : std::runtime_error("line " + std::to_string(line) + ": " + reason), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

// The rules of every item of items, in item order, as text gives them. Throws
// AmountsFileError at the first line that is no rule for an item taking amounts.
std::vector<std::vector<AmountRule>> ReadAmountsCsv(std::string_view text, const std::vector<TemplateItem>& items);

// The rules of items as a file, lines ended by CR LF, items in table order.
std::string WriteAmountsCsv(const std::vector<TemplateItem>& items);

}  // namespace tallowmere
