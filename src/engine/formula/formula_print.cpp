// Printing a formula tree in R1C1 or A1 notation. Parentheses typed by the user are kept
// as Paren nodes; the printer adds its own only where a tree read from a file needs them to
// keep its meaning, so a parsed formula prints back exactly as it reads.

#include "engine/formula/internal/formula_internal.h"

namespace tallowmere::engine {

namespace {

using Kind = FormulaNode::Kind;

constexpr int kUnaryPrecedence = 6;
constexpr int kOperandPrecedence = 7;

int Precedence(const FormulaNode& node) {
  if (node.kind == Kind::Unary) return kUnaryPrecedence;
  if (node.kind != Kind::Binary) return kOperandPrecedence;
  switch (node.op) {
    case '&': return 2;
    case '+':
    case '-': return 3;
    case '*':
    case '/': return 4;
    case '^': return 5;
    default: return 1;  // comparisons
  }
}

std::string_view OperatorText(char op) {
  switch (op) {
    case 'l': return "<=";
    case 'g': return ">=";
    case 'n': return "<>";
    case '+': return "+";
    case '-': return "-";
    case '*': return "*";
    case '/': return "/";
    case '^': return "^";
    case '&': return "&";
    case '<': return "<";
    case '>': return ">";
    default: return "=";
  }
}

std::string QuotedString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string ColumnLetters(int column) {
  std::string letters;
  for (; column > 0; column = (column - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
  return letters;
}

// Prints the operand-level nodes (references, areas); everything else is shared.
class Printer {
 public:
  virtual ~Printer() = default;

  std::string Print(const FormulaNode& node) {
    switch (node.kind) {
      case Kind::Number: return formula_detail::NumberText(node.number);
      case Kind::String: return QuotedString(node.text);
      case Kind::Boolean: return node.number != 0 ? "TRUE" : "FALSE";
      case Kind::Error: return std::string(ErrorText(node.error));
      case Kind::Reference: return Reference(node.ref);
      case Kind::Area: return Area(node.ref, node.ref2);
      case Kind::Paren: return "(" + Print(*node.args.at(0)) + ")";
      case Kind::Unary: return std::string(1, node.op) + Operand(*node.args.at(0), kUnaryPrecedence);
      case Kind::Binary: {
        int precedence = Precedence(node);
        return Operand(*node.args.at(0), precedence) + std::string(OperatorText(node.op)) +
               Operand(*node.args.at(1), precedence + 1);
      }
      case Kind::Function: {
        std::string out = node.text + "(";
        for (std::size_t i = 0; i < node.args.size(); ++i) out += (i ? "," : "") + Print(*node.args[i]);
        return out + ")";
      }
    }
    return {};
  }

 protected:
  virtual std::string Reference(const CellReference& ref) = 0;
  virtual std::string Area(const CellReference& first, const CellReference& last) = 0;

 private:
  // An operand of an operator, in parentheses when it binds less tightly than minimum.
  std::string Operand(const FormulaNode& node, int minimum) {
    std::string text = Print(node);
    return Precedence(node) < minimum ? "(" + text + ")" : text;
  }
};

class R1C1Printer : public Printer {
 protected:
  std::string Reference(const CellReference& ref) override {
    return Part('R', ref.row, ref.rowRelative) + Part('C', ref.column, ref.columnRelative);
  }
  std::string Area(const CellReference& first, const CellReference& last) override {
    return Reference(first) + ":" + Reference(last);
  }

 private:
  static std::string Part(char letter, int number, bool relative) {
    if (!relative) return letter + std::to_string(number);
    if (number == 0) return std::string(1, letter);
    return letter + ("[" + std::to_string(number) + "]");
  }
};

class A1Printer : public Printer {
 public:
  A1Printer(int hostRow, int hostColumn) : hostRow_(hostRow), hostColumn_(hostColumn) {}

 protected:
  std::string Reference(const CellReference& ref) override {
    int row = ref.rowRelative ? hostRow_ + ref.row : ref.row;
    int column = ref.columnRelative ? hostColumn_ + ref.column : ref.column;
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) return "#REF!";
    return (ref.columnRelative ? "" : "$") + ColumnLetters(column) + (ref.rowRelative ? "" : "$") + std::to_string(row);
  }
  std::string Area(const CellReference& first, const CellReference& last) override {
    std::string a = Reference(first), b = Reference(last);
    if (a == "#REF!" || b == "#REF!") return "#REF!";
    return a + ":" + b;
  }

 private:
  int hostRow_, hostColumn_;
};

}  // namespace

std::string PrintR1C1(const FormulaNode& formula) { return R1C1Printer().Print(formula); }

std::string PrintA1(const FormulaNode& formula, int hostRow, int hostColumn) {
  return A1Printer(hostRow, hostColumn).Print(formula);
}

}  // namespace tallowmere::engine
