#pragma once
// Cell values and formulas of the built-in engine: the parser of texts written into a
// cell in R1C1 notation, the formula tree, its evaluation (1900 date system), its
// printing in A1 and R1C1 notation and its BIFF8 token form.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tallowmere::engine {

// The sheet size of the file format: rows 1..65536, columns 1..256.
inline constexpr int kMaxRows = 65536;
inline constexpr int kMaxColumns = 256;

// Error values as a spreadsheet shows them.
enum class ErrorCode : std::uint8_t {
  Null = 0x00,
  Div0 = 0x07,
  Value = 0x0F,
  Ref = 0x17,
  Name = 0x1D,
  Num = 0x24,
  NA = 0x2A
};

struct Value {
  enum class Type : std::uint8_t { Empty, Number, String, Boolean, Error };
  Type type = Type::Empty;
  double number = 0.0;  // Number; Boolean as 0/1
  std::string text;     // String
  ErrorCode error = ErrorCode::Value;

  static Value Number(double v) {
    Value x;
    x.type = Type::Number;
    x.number = v;
    return x;
  }
  static Value String(std::string s) {
    Value x;
    x.type = Type::String;
    x.text = std::move(s);
    return x;
  }
  static Value Boolean(bool b) {
    Value x;
    x.type = Type::Boolean;
    x.number = b ? 1 : 0;
    return x;
  }
  static Value Error(ErrorCode e) {
    Value x;
    x.type = Type::Error;
    x.error = e;
    return x;
  }
  bool operator==(const Value&) const = default;
};

// A reference to one cell: relative parts are offsets from the cell holding the formula,
// absolute parts are row / column numbers from 1.
struct CellReference {
  int row = 0;
  int column = 0;
  bool rowRelative = true;
  bool columnRelative = true;
  bool operator==(const CellReference&) const = default;
};

struct FormulaNode;
using FormulaPtr = std::shared_ptr<const FormulaNode>;

struct FormulaNode {
  enum class Kind : std::uint8_t { Number, String, Boolean, Error, Reference, Area, Unary, Binary, Function, Paren };
  Kind kind = Kind::Number;
  double number = 0.0;
  std::string text;  // String literal; Function name (upper case)
  ErrorCode error = ErrorCode::Value;
  CellReference ref, ref2;  // Reference; Area (ref to ref2)
  char op = 0;  // Unary '-' or '+'; Binary '+', '-', '*', '/', '&', '^', comparison as '=', '<', '>', 'l' (<=), 'g'
                // (>=), 'n' (<>)
  std::vector<FormulaPtr> args;  // operands / function arguments
  bool operator==(const FormulaNode& other) const;
};

// Whether two texts are equal when ASCII letters are compared without case (function
// names, error texts, font faces).
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The text a spreadsheet shows for an error value ("#DIV/0!", "#REF!", ...).
std::string_view ErrorText(ErrorCode error);

// Raised for a formula the engine refuses (as a spreadsheet refuses a malformed entry).
class FormulaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses a formula in R1C1 notation, without its leading "=". Throws FormulaError, with a
// description, for text a spreadsheet would refuse: bad syntax, unknown names or functions,
// absolute references off the sheet, relative offsets larger than the sheet, string
// constants over 255 characters, text over 8192 characters, nesting deeper than 64 levels,
// and formulas too large for a FORMULA record of the file.
FormulaPtr ParseFormulaR1C1(std::string_view text);

// What a text written into a cell becomes: a formula ("=..."), a number, a date (a
// number with the date format the entry implies, e.g. "m/d/yyyy" for 1/1/2013), or text.
struct CellEntry {
  FormulaPtr formula;               // set for a formula
  Value value;                      // the constant otherwise
  std::string impliedNumberFormat;  // non-empty when the entry implies a format (dates)
};
// "" clears the cell (an Empty value); "=..." is a formula; a leading apostrophe marks the
// rest as text; numbers ("12", "-3.5", "1e3" implying "0.00E+00"), dates m/d/yyyy and m/d/yy
// (implying "m/d/yyyy"), TRUE/FALSE and
// error texts are read as a spreadsheet reads typed input; anything else is text, kept as is.
// Throws FormulaError for a bad formula and for text over 32767 characters.
CellEntry ParseCellEntry(std::string_view text);

// Printing, without the leading "=". PrintA1 is for the formula held by the cell at
// (hostRow, hostColumn); a relative reference that falls off the sheet prints as "#REF!".
std::string PrintR1C1(const FormulaNode& formula);
std::string PrintA1(const FormulaNode& formula, int hostRow, int hostColumn);

// Evaluation. lookup gives the value of the cell at an absolute row and column; cycles
// are the caller's to detect (the evaluator of a workbook returns an error value for a
// cell whose evaluation is under way). A reference off the sheet gives #REF!, a reference
// to an empty cell counts as 0; the result is never Empty.
using CellLookup = std::function<Value(int row, int column)>;
Value Evaluate(const FormulaNode& formula, int hostRow, int hostColumn, const CellLookup& lookup);

// Dates of the 1900 date system (serial 1 = 1900-01-01, with the fictitious 1900-02-29).
double DateSerial(int year, int month, int day);
// Serial 0 is 1900-01-00 (month 1, day 0), as a spreadsheet shows it; a serial outside
// 0..2958465 (9999-12-31) gives year, month and day 0. Fractions (the time) are dropped.
void SerialToDate(double serial, int& year, int& month, int& day);
inline constexpr double kLastDateSerial = 2958465;

// BIFF8 token form (the rgce of a FORMULA record) for a formula in the cell at
// (hostRow, hostColumn), rows and columns from 1. A relative reference that falls off the
// sheet is written as a #REF! token. Encode throws FormulaError when the tokens would not
// fit a FORMULA record. Decode throws FormulaError for tokens it cannot read, truncated or
// malformed data; it never reads past size.
std::vector<std::uint8_t> EncodeBiff8(const FormulaNode& formula, int hostRow, int hostColumn);
FormulaPtr DecodeBiff8(const std::uint8_t* data, std::size_t size, int hostRow, int hostColumn);

}  // namespace tallowmere::engine
