// The BIFF8 token form of a formula (the rgce of a FORMULA record): operands and operators
// in reverse Polish order. References in a cell's formula hold the target cell itself, with
// flags saying which parts are relative, so encoding and decoding need the host cell.
// Token numbers and layouts are those of the Excel 97-2003 binary file format.

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

#include "engine/formula/internal/formula_internal.h"
#include "text/unicode.h"

namespace tallowmere::engine {

namespace {

using Kind = FormulaNode::Kind;

// Base token numbers; operand tokens add a class: +0x20 reference, +0x40 value, +0x60 array.
enum Token : std::uint8_t {
  tExp = 0x01,
  tTbl = 0x02,
  tAdd = 0x03,
  tSub = 0x04,
  tMul = 0x05,
  tDiv = 0x06,
  tPower = 0x07,
  tConcat = 0x08,
  tLT = 0x09,
  tLE = 0x0A,
  tEQ = 0x0B,
  tGE = 0x0C,
  tGT = 0x0D,
  tNE = 0x0E,
  tUplus = 0x12,
  tUminus = 0x13,
  tParen = 0x15,
  tMissArg = 0x16,
  tStr = 0x17,
  tAttr = 0x19,
  tErr = 0x1C,
  tBool = 0x1D,
  tInt = 0x1E,
  tNum = 0x1F,
};
// Operand tokens without their class bits.
enum OperandToken : std::uint8_t {
  tFunc = 0x01,
  tFuncVar = 0x02,
  tRef = 0x04,
  tArea = 0x05,
  tRefErr = 0x0A,
  tAreaErr = 0x0B,
  tRefN = 0x0C,
  tAreaN = 0x0D,
};
constexpr std::uint8_t kClassReference = 0x20;
constexpr std::uint8_t kClassValue = 0x40;

// tAttr option bits.
constexpr std::uint8_t kAttrVolatile = 0x01, kAttrIf = 0x02, kAttrChoose = 0x04, kAttrGoto = 0x08, kAttrSum = 0x10,
                       kAttrAssignment = 0x20, kAttrSpace = 0x40;

constexpr std::uint16_t kColumnRelative = 0x4000, kRowRelative = 0x8000;

constexpr struct {
  char op;
  std::uint8_t token;
} kOperators[] = {{'+', tAdd}, {'-', tSub}, {'*', tMul}, {'/', tDiv}, {'^', tPower}, {'&', tConcat},
                  {'<', tLT},  {'l', tLE},  {'=', tEQ},  {'g', tGE},  {'>', tGT},    {'n', tNE}};

class Encoder {
 public:
  Encoder(int hostRow, int hostColumn) : hostRow_(hostRow), hostColumn_(hostColumn) {}

  std::vector<std::uint8_t> Encode(const FormulaNode& formula) {
    Emit(formula, kClassValue);
    if (out_.size() > formula_detail::kMaxBiff8FormulaBytes)
      throw FormulaError("Invalid formula: too large to be stored in the workbook file");
    return std::move(out_);
  }

 private:
  void Byte(std::uint8_t b) { out_.push_back(b); }
  void Word(std::uint16_t w) {
    Byte(static_cast<std::uint8_t>(w & 0xFF));
    Byte(static_cast<std::uint8_t>(w >> 8));
  }

  void Emit(const FormulaNode& node, std::uint8_t operandClass) {
    switch (node.kind) {
      case Kind::Number: return EmitNumber(node.number);
      case Kind::String: return EmitString(node.text);
      case Kind::Boolean:
        Byte(tBool);
        Byte(node.number != 0 ? 1 : 0);
        return;
      case Kind::Error:
        Byte(tErr);
        Byte(static_cast<std::uint8_t>(node.error));
        return;
      case Kind::Reference: return EmitReference(node.ref, operandClass);
      case Kind::Area: return EmitArea(node.ref, node.ref2, operandClass);
      case Kind::Paren:
        Emit(*node.args.at(0), operandClass);
        Byte(tParen);
        return;
      case Kind::Unary:
        Emit(*node.args.at(0), kClassValue);
        Byte(node.op == '-' ? tUminus : tUplus);
        return;
      case Kind::Binary:
        Emit(*node.args.at(0), kClassValue);
        Emit(*node.args.at(1), kClassValue);
        for (const auto& entry : kOperators)
          if (entry.op == node.op) return Byte(entry.token);
        throw FormulaError("Invalid formula: unknown operator");
      case Kind::Function: return EmitFunction(node);
    }
  }

  void EmitNumber(double number) {
    if (number >= 0 && number <= 65535 && number == std::floor(number) && !std::signbit(number)) {
      Byte(tInt);
      Word(static_cast<std::uint16_t>(number));
      return;
    }
    Byte(tNum);
    auto bits = std::bit_cast<std::uint64_t>(number);
    for (int i = 0; i < 8; ++i) Byte(static_cast<std::uint8_t>(bits >> (8 * i)));
  }

  // Characters all below U+0100 are stored one byte each, others as UTF-16LE.
  void EmitString(const std::string& text) {
    const std::u16string string = ToUtf16(text);
    if (string.size() > formula_detail::kMaxStringConstant)
      throw FormulaError("Invalid formula: text values in formulas are limited to 255 characters");
    bool wide = std::any_of(string.begin(), string.end(), [](char16_t c) { return c > 0xFF; });
    Byte(tStr);
    Byte(static_cast<std::uint8_t>(string.size()));
    Byte(wide ? 1 : 0);
    for (char16_t c : string) {
      if (wide)
        Word(c);
      else
        Byte(static_cast<std::uint8_t>(c));
    }
  }

  // The target cell, 0-based, or nothing when a relative reference falls off the sheet.
  bool Target(const CellReference& ref, std::uint16_t& row, std::uint16_t& column) const {
    int r = ref.rowRelative ? hostRow_ + ref.row : ref.row;
    int c = ref.columnRelative ? hostColumn_ + ref.column : ref.column;
    if (r < 1 || r > kMaxRows || c < 1 || c > kMaxColumns) return false;
    row = static_cast<std::uint16_t>(r - 1);
    column = static_cast<std::uint16_t>((c - 1) | (ref.columnRelative ? kColumnRelative : 0) |
                                        (ref.rowRelative ? kRowRelative : 0));
    return true;
  }

  void EmitReference(const CellReference& ref, std::uint8_t operandClass) {
    std::uint16_t row = 0, column = 0;
    bool valid = Target(ref, row, column);
    Byte(static_cast<std::uint8_t>((valid ? tRef : tRefErr) | operandClass));
    Word(valid ? row : 0);
    Word(valid ? column : 0);
  }

  void EmitArea(const CellReference& first, const CellReference& last, std::uint8_t operandClass) {
    std::uint16_t row1 = 0, column1 = 0, row2 = 0, column2 = 0;
    bool valid = Target(first, row1, column1) && Target(last, row2, column2);
    Byte(static_cast<std::uint8_t>((valid ? tArea : tAreaErr) | operandClass));
    for (std::uint16_t w : {row1, row2, column1, column2}) Word(valid ? w : 0);
  }

  // Fixed-argument functions take values; SUM takes its references as references.
  void EmitFunction(const FormulaNode& node) {
    const auto* function = formula_detail::FindFunction(node.text);
    if (!function) throw FormulaError("Invalid formula: unknown function " + node.text);
    for (const auto& argument : node.args) Emit(*argument, function->variable ? kClassReference : kClassValue);
    if (function->variable) {
      Byte(tFuncVar | kClassValue);
      Byte(static_cast<std::uint8_t>(node.args.size()));
    } else {
      Byte(tFunc | kClassValue);
    }
    Word(function->index);
  }

  int hostRow_, hostColumn_;
  std::vector<std::uint8_t> out_;
};

struct Item {
  FormulaPtr node;
  int height = 1;
};

class Decoder {
 public:
  Decoder(const std::uint8_t* data, std::size_t size, int hostRow, int hostColumn)
      : data_(data), size_(size), hostRow_(hostRow), hostColumn_(hostColumn) {}

  FormulaPtr Decode() {
    if (size_ == 0 || !data_) Fail("no tokens");
    while (pos_ < size_) ReadToken(data_[pos_++]);
    if (stack_.size() != 1) Fail("the tokens do not form one formula");
    return stack_.back().node;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw FormulaError("Unreadable formula in the file: " + what);
  }

  void Need(std::size_t bytes) const {
    if (size_ - pos_ < bytes) Fail("the tokens are cut short");
  }
  std::uint8_t Byte() {
    Need(1);
    return data_[pos_++];
  }
  std::uint16_t Word() {
    Need(2);
    std::uint16_t w = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return w;
  }

  void Push(FormulaNode node, int height) {
    if (height > formula_detail::kMaxTreeHeight) Fail("the formula is too complex");
    stack_.push_back({std::make_shared<const FormulaNode>(std::move(node)), height});
  }
  Item Pop() {
    if (stack_.empty()) Fail("an operator lacks its operand");
    Item item = stack_.back();
    stack_.pop_back();
    return item;
  }

  // Pops count operands into node.args, in their original order, and pushes node.
  void PushWithOperands(FormulaNode node, std::size_t count) {
    if (stack_.size() < count) Fail("an operator lacks its operand");
    int height = 1;
    for (auto it = stack_.end() - static_cast<std::ptrdiff_t>(count); it != stack_.end(); ++it) {
      node.args.push_back(it->node);
      height = std::max(height, it->height + 1);
    }
    stack_.resize(stack_.size() - count);
    Push(std::move(node), height);
  }

  void ReadToken(std::uint8_t token) {
    if (token >= 0x80) Fail("unknown token");
    if (token >= 0x20) return ReadOperandToken(static_cast<std::uint8_t>(token & 0x1F));
    for (const auto& entry : kOperators) {
      if (entry.token == token) {
        FormulaNode node;
        node.kind = Kind::Binary;
        node.op = entry.op;
        return PushWithOperands(std::move(node), 2);
      }
    }
    FormulaNode node;
    switch (token) {
      case tUplus:
      case tUminus:
        node.kind = Kind::Unary;
        node.op = token == tUminus ? '-' : '+';
        return PushWithOperands(std::move(node), 1);
      case tParen: node.kind = Kind::Paren; return PushWithOperands(std::move(node), 1);
      case tStr:
        node.kind = Kind::String;
        node.text = ReadString();
        return Push(std::move(node), 1);
      case tAttr: return Attribute();
      case tErr:
        node.kind = Kind::Error;
        node.error = ReadError();
        return Push(std::move(node), 1);
      case tBool:
        node.kind = Kind::Boolean;
        node.number = Byte() ? 1 : 0;
        return Push(std::move(node), 1);
      case tInt:
        node.kind = Kind::Number;
        node.number = Word();
        return Push(std::move(node), 1);
      case tNum:
        node.kind = Kind::Number;
        node.number = ReadDouble();
        return Push(std::move(node), 1);
      case tExp:
      case tTbl: Fail("shared and table formulas are not supported here");
      case tMissArg: Fail("missing function arguments are not supported");
      default: Fail("unsupported token " + std::to_string(token));
    }
  }

  void ReadOperandToken(std::uint8_t base) {
    FormulaNode node;
    switch (base) {
      case tFunc: return FunctionToken(Word(), std::nullopt);
      case tFuncVar: {
        std::uint8_t count = Byte();
        std::uint16_t index = Word();
        if (index & 0x8000) Fail("command functions are not supported");
        return FunctionToken(index, count & 0x7F);
      }
      case tRef:
      case tRefN: {
        node.kind = Kind::Reference;
        std::uint16_t row = Word(), column = Word();
        node.ref = ReadReference(base == tRefN, row, column);
        return Push(std::move(node), 1);
      }
      case tArea:
      case tAreaN: {
        node.kind = Kind::Area;
        std::uint16_t row1 = Word(), row2 = Word(), column1 = Word(), column2 = Word();
        node.ref = ReadReference(base == tAreaN, row1, column1);
        node.ref2 = ReadReference(base == tAreaN, row2, column2);
        return Push(std::move(node), 1);
      }
      case tRefErr:
      case tAreaErr:
        Need(base == tRefErr ? 4 : 8);
        pos_ += base == tRefErr ? 4 : 8;
        node.kind = Kind::Error;
        node.error = ErrorCode::Ref;
        return Push(std::move(node), 1);
      default: Fail("unsupported operand token " + std::to_string(base));
    }
  }

  void FunctionToken(std::uint16_t index, std::optional<int> count) {
    const auto* function = formula_detail::FindFunction(index);
    if (!function) Fail("unsupported function number " + std::to_string(index));
    int arguments = count.value_or(function->minArguments);
    if (!count && function->variable) Fail("a variable function is written as fixed");
    if (arguments < function->minArguments || arguments > function->maxArguments)
      Fail("wrong number of arguments for " + std::string(function->name));
    FormulaNode node;
    node.kind = Kind::Function;
    node.text = std::string(function->name);
    PushWithOperands(std::move(node), static_cast<std::size_t>(arguments));
  }

  // In a cell's formula the fields hold the target cell; in a shared formula's (tRefN) a
  // relative part holds a signed offset from the cell.
  CellReference ReadReference(bool offsets, std::uint16_t row, std::uint16_t columnField) const {
    CellReference ref;
    ref.rowRelative = (columnField & kRowRelative) != 0;
    ref.columnRelative = (columnField & kColumnRelative) != 0;
    int column = columnField & 0x3FFF;
    if (offsets && ref.rowRelative) {
      ref.row = static_cast<std::int16_t>(row);
    } else {
      ref.row = ref.rowRelative ? row + 1 - hostRow_ : row + 1;
    }
    if (offsets && ref.columnRelative) {
      ref.column = static_cast<std::int8_t>(columnField & 0xFF);
    } else {
      if (column >= kMaxColumns) Fail("a reference lies outside the sheet");
      ref.column = ref.columnRelative ? column + 1 - hostColumn_ : column + 1;
    }
    return ref;
  }

  std::string ReadString() {
    std::size_t count = Byte();
    bool wide = (Byte() & 0x01) != 0;
    Need(count * (wide ? 2 : 1));
    std::u16string string;
    for (std::size_t i = 0; i < count; ++i) string += wide ? Word() : static_cast<char16_t>(data_[pos_++]);
    return ToUtf8(string);
  }

  ErrorCode ReadError() {
    auto code = static_cast<ErrorCode>(Byte());
    if (formula_detail::ParseErrorText(ErrorText(code)) != code) Fail("unknown error value");
    return code;
  }

  double ReadDouble() {
    Need(8);
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(data_[pos_ + i]) << (8 * i);
    pos_ += 8;
    double value = std::bit_cast<double>(bits);
    if (!std::isfinite(value)) Fail("a number is not finite");
    return value;
  }

  // Spacing, volatility and jump hints carry no meaning for the value; tAttrSum is a SUM of
  // the one operand before it.
  void Attribute() {
    std::uint8_t options = Byte();
    Word();
    if (options & kAttrChoose) Fail("CHOOSE is not supported");
    if (options & ~(kAttrVolatile | kAttrIf | kAttrGoto | kAttrSum | kAttrAssignment | kAttrSpace))
      Fail("unknown attribute");
    if (options & kAttrSum) {
      FormulaNode node;
      node.kind = Kind::Function;
      node.text = "SUM";
      PushWithOperands(std::move(node), 1);
    }
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  int hostRow_, hostColumn_;
  std::vector<Item> stack_;
};

}  // namespace

std::vector<std::uint8_t> EncodeBiff8(const FormulaNode& formula, int hostRow, int hostColumn) {
  return Encoder(hostRow, hostColumn).Encode(formula);
}

FormulaPtr DecodeBiff8(const std::uint8_t* data, std::size_t size, int hostRow, int hostColumn) {
  return Decoder(data, size, hostRow, hostColumn).Decode();
}

}  // namespace tallowmere::engine
