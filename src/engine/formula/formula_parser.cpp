// The parser of formulas in R1C1 notation: a recursive descent over the operator levels of
// a spreadsheet (comparison, &, + -, * /, ^, sign), with explicit limits on nesting and tree
// height so that no text can drive it, or any later walk of its tree, into deep recursion.

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "engine/formula/internal/formula_internal.h"
#include "text/unicode.h"

namespace tallowmere::engine {

namespace {

using formula_detail::kMaxNesting;
using formula_detail::kMaxTreeHeight;

// A parsed operand and the height of its tree.
struct Parsed {
  FormulaPtr node;
  int height = 1;
};

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_' || c == '.'; }
char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  FormulaPtr ParseWhole() {
    SkipSpaces();
    if (AtEnd()) Fail("the formula is empty");
    Parsed result = ParseComparison();
    SkipSpaces();
    if (!AtEnd()) Fail("unexpected '" + std::string(1, text_[pos_]) + "'");
    return result.node;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw FormulaError("Invalid formula: " + what + " (at character " + std::to_string(pos_ + 1) + ")");
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  void SkipSpaces() {
    while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\n' || text_[pos_] == '\r')) ++pos_;
  }
  bool Accept(std::string_view token) {
    SkipSpaces();
    if (text_.substr(pos_, token.size()) != token) return false;
    pos_ += token.size();
    return true;
  }

  // Each nested construct (parentheses, function call, sign) holds one of these.
  struct NestingGuard {
    explicit NestingGuard(Parser& p) : parser(p) {
      if (++parser.nesting_ > kMaxNesting) parser.Fail("the formula nests too deeply");
    }
    ~NestingGuard() { --parser.nesting_; }
    Parser& parser;
  };

  Parsed Make(FormulaNode node, int height) const {
    if (height > kMaxTreeHeight) Fail("the formula is too complex");
    return {std::make_shared<const FormulaNode>(std::move(node)), height};
  }

  Parsed MakeBinary(char op, Parsed left, Parsed right) const {
    FormulaNode node;
    node.kind = FormulaNode::Kind::Binary;
    node.op = op;
    node.args = {left.node, right.node};
    return Make(std::move(node), 1 + std::max(left.height, right.height));
  }

  // One left-associative operator level: operand (op operand)*.
  template <typename Next, typename MatchOp>
  Parsed ParseLevel(Next next, MatchOp matchOp) {
    Parsed left = (this->*next)();
    while (char op = matchOp()) left = MakeBinary(op, left, (this->*next)());
    return left;
  }

  Parsed ParseComparison() {
    return ParseLevel(&Parser::ParseConcat, [this]() -> char {
      if (Accept("<>")) return 'n';
      if (Accept("<=")) return 'l';
      if (Accept(">=")) return 'g';
      if (Accept("<")) return '<';
      if (Accept(">")) return '>';
      if (Accept("=")) return '=';
      return 0;
    });
  }
  Parsed ParseConcat() {
    return ParseLevel(&Parser::ParseAdditive, [this]() -> char { return Accept("&") ? '&' : 0; });
  }
  Parsed ParseAdditive() {
    return ParseLevel(&Parser::ParseMultiplicative, [this]() -> char {
      if (Accept("+")) return '+';
      return Accept("-") ? '-' : 0;
    });
  }
  Parsed ParseMultiplicative() {
    return ParseLevel(&Parser::ParsePower, [this]() -> char {
      if (Accept("*")) return '*';
      return Accept("/") ? '/' : 0;
    });
  }
  Parsed ParsePower() {
    return ParseLevel(&Parser::ParseUnary, [this]() -> char { return Accept("^") ? '^' : 0; });
  }

  // A sign binds tighter than any operator, as in a spreadsheet: -2^2 is (-2)^2.
  Parsed ParseUnary() {
    SkipSpaces();
    char sign = Peek();
    if (sign != '-' && sign != '+') return ParsePrimary();
    ++pos_;
    NestingGuard guard(*this);
    Parsed operand = ParseUnary();
    FormulaNode node;
    node.kind = FormulaNode::Kind::Unary;
    node.op = sign;
    node.args = {operand.node};
    return Make(std::move(node), operand.height + 1);
  }

  Parsed ParsePrimary() {
    SkipSpaces();
    if (AtEnd()) Fail("an operand is missing at the end");
    char c = Peek();
    if (c == '(') return ParseParenthesised();
    if (c == '"') return ParseString();
    if (c == '#') return ParseErrorLiteral();
    if (IsDigit(c) || c == '.') return ParseNumber();
    if (IsLetter(c) || c == '_') return ParseNameOrReference();
    Fail("unexpected '" + std::string(1, c) + "'");
  }

  Parsed ParseParenthesised() {
    NestingGuard guard(*this);
    ++pos_;
    Parsed inner = ParseComparison();
    if (!Accept(")")) Fail("a closing parenthesis is missing");
    FormulaNode node;
    node.kind = FormulaNode::Kind::Paren;
    node.args = {inner.node};
    return Make(std::move(node), inner.height + 1);
  }

  Parsed ParseString() {
    ++pos_;
    std::string value;
    for (;;) {
      if (AtEnd()) Fail("a closing quotation mark is missing");
      char c = text_[pos_++];
      if (c == '"') {
        if (Peek() != '"') break;
        ++pos_;
      }
      value += c;
    }
    if (!IsValidUtf8(value)) Fail("a text value is not valid UTF-8");
    if (Utf16Length(value) > formula_detail::kMaxStringConstant)
      Fail("text values in formulas are limited to 255 characters");
    FormulaNode node;
    node.kind = FormulaNode::Kind::String;
    node.text = std::move(value);
    return Make(std::move(node), 1);
  }

  Parsed ParseErrorLiteral() {
    for (std::size_t length = 7; length >= 4; --length) {
      std::string_view candidate = text_.substr(pos_, length);
      if (candidate.size() != length) continue;
      if (auto code = formula_detail::ParseErrorText(candidate)) {
        pos_ += length;
        FormulaNode node;
        node.kind = FormulaNode::Kind::Error;
        node.error = *code;
        return Make(std::move(node), 1);
      }
    }
    Fail("unknown error value");
  }

  Parsed ParseNumber() {
    std::size_t start = pos_;
    while (IsDigit(Peek())) ++pos_;
    if (Peek() == '.') ++pos_;
    while (IsDigit(Peek())) ++pos_;
    if (pos_ - start == 1 && text_[start] == '.') Fail("a number is malformed");
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (!IsDigit(Peek())) Fail("a number's exponent is missing");
      while (IsDigit(Peek())) ++pos_;
    }
    double value = 0;
    auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, value);
    if (ec != std::errc() || end != text_.data() + pos_ || !std::isfinite(value))
      Fail("the number " + std::string(text_.substr(start, pos_ - start)) + " is out of range");
    FormulaNode node;
    node.kind = FormulaNode::Kind::Number;
    node.number = value;
    return Make(std::move(node), 1);
  }

  Parsed ParseNameOrReference() {
    std::size_t start = pos_;
    if (auto ref = TryReference()) {
      if (!Accept(":")) return MakeReference(*ref);
      SkipSpaces();
      auto second = TryReference();
      if (!second) Fail("the end of a cell range is missing");
      return MakeArea(*ref, *second);
    }
    pos_ = start;
    while (IsNameChar(Peek())) ++pos_;
    std::string name;
    for (char c : text_.substr(start, pos_ - start)) name += Upper(c);
    if (Peek() == '(') return ParseFunction(name);
    if (name == "TRUE" || name == "FALSE") {
      FormulaNode node;
      node.kind = FormulaNode::Kind::Boolean;
      node.number = name == "TRUE" ? 1 : 0;
      return Make(std::move(node), 1);
    }
    pos_ = start;
    Fail("unknown name '" + std::string(text_.substr(start, name.size())) + "'");
  }

  // R and C parts: "R" (same row), "R[-2]" (offset), "R5" (absolute row). Gives nothing,
  // leaving the position anywhere, when the text is not a reference.
  std::optional<CellReference> TryReference() {
    CellReference ref;
    if (Upper(Peek()) != 'R') return std::nullopt;
    ++pos_;
    if (!ReadPart(ref.row, ref.rowRelative, kMaxRows)) return std::nullopt;
    if (Upper(Peek()) != 'C') return std::nullopt;
    ++pos_;
    if (!ReadPart(ref.column, ref.columnRelative, kMaxColumns)) return std::nullopt;
    if (IsNameChar(Peek()) || Peek() == '(') return std::nullopt;  // a name such as RC2X
    return ref;
  }

  bool ReadPart(int& number, bool& relative, int limit) {
    if (Peek() == '[') {
      ++pos_;
      std::size_t start = pos_;
      if (Peek() == '-' || Peek() == '+') ++pos_;
      std::size_t digits = pos_;
      while (IsDigit(Peek())) ++pos_;
      if (Peek() != ']' || pos_ == digits) Fail("a reference offset is malformed");
      long long offset = 0;
      const char* first = text_.data() + start + (text_[start] == '+' ? 1 : 0);
      auto [end, ec] = std::from_chars(first, text_.data() + pos_, offset);
      if (ec != std::errc() || end != text_.data() + pos_ || offset <= -limit || offset >= limit)
        Fail("a relative reference reaches beyond the sheet");
      ++pos_;
      number = static_cast<int>(offset);
      relative = true;
      return true;
    }
    if (IsDigit(Peek())) {
      std::size_t start = pos_;
      while (IsDigit(Peek())) ++pos_;
      long long absolute = 0;
      auto [end, ec] = std::from_chars(text_.data() + start, text_.data() + pos_, absolute);
      if (ec != std::errc() || absolute < 1 || absolute > limit) Fail("a reference lies outside the sheet");
      number = static_cast<int>(absolute);
      relative = false;
      return true;
    }
    number = 0;
    relative = true;
    return true;
  }

  Parsed MakeReference(const CellReference& ref) const {
    FormulaNode node;
    node.kind = FormulaNode::Kind::Reference;
    node.ref = ref;
    return Make(std::move(node), 1);
  }

  // Areas are kept top-left to bottom-right where the two corners are measured alike.
  Parsed MakeArea(CellReference first, CellReference last) const {
    if (first.rowRelative == last.rowRelative && first.row > last.row) std::swap(first.row, last.row);
    if (first.columnRelative == last.columnRelative && first.column > last.column) std::swap(first.column, last.column);
    FormulaNode node;
    node.kind = FormulaNode::Kind::Area;
    node.ref = first;
    node.ref2 = last;
    return Make(std::move(node), 1);
  }

  Parsed ParseFunction(const std::string& name) {
    const auto* function = formula_detail::FindFunction(name);
    if (!function) Fail("unknown function " + name);
    NestingGuard guard(*this);
    ++pos_;  // '('
    FormulaNode node;
    node.kind = FormulaNode::Kind::Function;
    node.text = name;
    int height = 1;
    if (!Accept(")")) {
      do {
        SkipSpaces();
        if (Peek() == ',' || Peek() == ')') Fail("an argument of " + name + " is empty");
        Parsed argument = ParseComparison();
        height = std::max(height, argument.height + 1);
        node.args.push_back(argument.node);
        if (static_cast<int>(node.args.size()) > function->maxArguments) Fail("too many arguments for " + name);
      } while (Accept(","));
      if (!Accept(")")) Fail("a closing parenthesis of " + name + " is missing");
    }
    if (static_cast<int>(node.args.size()) < function->minArguments) Fail("too few arguments for " + name);
    return Make(std::move(node), height);
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int nesting_ = 0;
};

}  // namespace

FormulaPtr ParseFormulaR1C1(std::string_view text) {
  if (text.size() > formula_detail::kMaxFormulaLength)
    throw FormulaError("Invalid formula: longer than 8192 characters");
  FormulaPtr formula = Parser(text).ParseWhole();
  EncodeBiff8(*formula, 1, 1);  // refuses, as the file's own limit, a formula too large to store
  return formula;
}

}  // namespace tallowmere::engine
