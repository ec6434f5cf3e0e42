// Reading and writing the amounts file.
#include "model/amounts_csv.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace tallowmere {
namespace {

constexpr std::string_view kHeader = "item,occurrence,amount,repeat,first,last,growth";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
enum Column { kItem, kOccurrence, kAmount, kRepeat, kFirst, kLast, kGrowth, kColumns };

struct Record {
  int line = 0;  // where the record starts
  std::vector<std::string> fields;
};

// Splits text into records as RFC 4180 quotes them; lines may end in CR LF or LF alone.
class RecordReader {
 public:
  explicit RecordReader(std::string_view text) : text_(text) {}

  std::optional<Record> Next() {
    if (at_ >= text_.size()) return std::nullopt;
    Record record{line_, {std::string()}};
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"' && record.fields.back().empty() && !quotedField_) {
        ReadQuoted(record);
      } else if (c == ',') {
        record.fields.emplace_back();
        quotedField_ = false;
      } else if (c == '\n' || (c == '\r' && Peek('\n'))) {
        if (c == '\r') ++at_;
        ++line_;
        break;
      } else if (quotedField_ || c == '"') {
        throw AmountsFileError(line_, "a quote is misplaced; quote a whole field and double quotes inside it.");
      } else {
        record.fields.back() += c;
      }
    }
    quotedField_ = false;
    return record;
  }

 private:
  bool Peek(char c) const { return at_ < text_.size() && text_[at_] == c; }

  void ReadQuoted(Record& record) {
    quotedField_ = true;
    const int start = line_;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"' && !Peek('"')) return;
      if (c == '"') ++at_;
      if (c == '\n') ++line_;
      record.fields.back() += c;
    }
    throw AmountsFileError(start, "a quoted field has no closing quote.");
  }

  std::string_view text_;
  size_t at_ = 0;
  int line_ = 1;
  bool quotedField_ = false;
};

// The items answering to each name, in table order: an item answers to its name and to
// its name as the sheet shows it.
class ItemsByName {
 public:
  explicit ItemsByName(const std::vector<TemplateItem>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      const std::string_view name = items[i].Name;
      byName_[name].push_back(i);
      if (name.starts_with('_')) byName_[name.substr(1)].push_back(i);
    }
  }
  const std::vector<size_t>& Answering(std::string_view name) const {
    static const std::vector<size_t> none;
    const auto it = byName_.find(name);
    return it == byName_.end() ? none : it->second;
  }

 private:
  std::unordered_map<std::string_view, std::vector<size_t>> byName_;
};

// The index of the item a record names; throws the reason it names none that takes amounts.
size_t ItemOf(const Record& record, const std::vector<TemplateItem>& items, const ItemsByName& index) {
  const std::string& name = record.fields[kItem];
  const std::string& text = record.fields[kOccurrence];
  const bool digits = !text.empty() && text.size() < 6 && text.find_first_not_of("0123456789") == std::string::npos;
  const size_t occurrence = digits ? std::stoul(text) : 0;
  if (occurrence < 1)
    throw AmountsFileError(record.line,
                           "occurrence \"" + text + "\" is no whole number from 1 (1 for the first item of a name).");
  const std::vector<size_t>& answering = index.Answering(name);
  if (answering.empty()) throw AmountsFileError(record.line, "no item is named \"" + name + "\".");
  if (occurrence > answering.size()) {
    const size_t seen = answering.size();
    throw AmountsFileError(record.line,
                           "there " + std::string(seen == 1 ? "is 1 item" : "are " + std::to_string(seen) + " items") +
                               " named \"" + name + "\", not " + text + ".");
  }
  const size_t item = answering[occurrence - 1];
  if (!TakesAmounts(items[item]))
    throw AmountsFileError(record.line,
                           "\"" + name + "\" is a heading, a total or the opening cash row; it takes no amounts.");
  return item;
}

AmountRule RuleOf(const Record& record) {
  try {
    AmountRule rule;
    rule.amount = ParseAmount(record.fields[kAmount]);
    rule.repeat = ParseRepeat(record.fields[kRepeat]);
    rule.first = ParseDate(record.fields[kFirst]);
    if (!record.fields[kLast].empty()) rule.last = ParseDate(record.fields[kLast]);
    if (!record.fields[kGrowth].empty()) rule.growth = ParseGrowth(record.fields[kGrowth]);
    CheckRule(rule);
    return rule;
  } catch (const std::invalid_argument& e) {
    throw AmountsFileError(record.line, e.what());
  }
}

// A field as RFC 4180 writes it: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
  return quoted + "\"";
}

std::string RuleLine(const std::string& label, long occurrence, const AmountRule& rule) {
  const std::vector<std::string> fields = {CsvField(label),
                                           std::to_string(occurrence),
                                           MoneyText(rule.amount),
                                           RepeatText(rule.repeat),
                                           DateText(rule.first),
                                           rule.last ? DateText(*rule.last) : "",
                                           rule.growth ? MoneyText(*rule.growth) : ""};
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : ",") + field;
  return line + "\r\n";
}

}  // namespace

std::vector<std::vector<AmountRule>> ReadAmountsCsv(std::string_view text, const std::vector<TemplateItem>& items) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  RecordReader reader(text);
  const std::optional<Record> header = reader.Next();
  const std::vector<std::string> expected = {"item", "occurrence", "amount", "repeat", "first", "last", "growth"};
  if (!header || header->fields != expected)
    throw AmountsFileError(1, "the first line must be " + std::string(kHeader) + ".");
  std::vector<std::vector<AmountRule>> rules(items.size());
  const ItemsByName index(items);
  while (const std::optional<Record> record = reader.Next()) {
    if (record->fields.size() == 1 && record->fields[0].empty()) continue;  // an empty line
    if (record->fields.size() != kColumns)
      throw AmountsFileError(record->line, "a rule has 7 fields (" + std::string(kHeader) + "), this line " +
                                               std::to_string(record->fields.size()) + ".");
    const size_t item = ItemOf(*record, items, index);
    rules[item].push_back(RuleOf(*record));
  }
  return rules;
}

std::string WriteAmountsCsv(const std::vector<TemplateItem>& items) {
  std::string text = std::string(kHeader) + "\r\n";
  const ItemsByName index(items);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].Rules.empty()) continue;
    const std::string label = SheetLabel(items[i].Name);
    const std::vector<size_t>& answering = index.Answering(label);
    const auto occurrence = std::find(answering.begin(), answering.end(), i) - answering.begin() + 1;
    for (const AmountRule& rule : items[i].Rules) text += RuleLine(label, occurrence, rule);
  }
  return text;
}

}  // namespace tallowmere
