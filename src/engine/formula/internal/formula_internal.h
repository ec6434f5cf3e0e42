#pragma once
// Pieces shared by the formula parser, printers, evaluator and BIFF8 coder: the function
// table, the limits every form of a formula obeys, and small text helpers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/formula/formula.h"

namespace tallowmere::engine::formula_detail {

// Limits that keep every recursive walk of a formula tree shallow and every formula
// storable in the file: the parser and the BIFF8 decoder refuse anything beyond them.
inline constexpr std::size_t kMaxFormulaLength = 8192;  // characters after the "="
inline constexpr int kMaxNesting = 64;                  // parentheses, functions, signs
inline constexpr int kMaxTreeHeight = 1024;             // e.g. a chain of 1024 additions
inline constexpr int kMaxFunctionArguments = 30;
inline constexpr std::size_t kMaxStringConstant = 255;      // UTF-16 units, tStr holds one byte
inline constexpr std::size_t kMaxBiff8FormulaBytes = 8202;  // FORMULA record body minus its fixed fields

struct FunctionInfo {
  std::string_view name;
  std::uint16_t index;  // the function's number in the file format's function table
  int minArguments;
  int maxArguments;
  bool variable;  // written with tFuncVar (argument count in the token)
};

// The functions the engine knows, by upper-case name or by file-format index.
const FunctionInfo* FindFunction(std::string_view upperName);
const FunctionInfo* FindFunction(std::uint16_t index);

// The error value written as text ("#N/A"), case-insensitive.
std::optional<ErrorCode> ParseErrorText(std::string_view text);

// Shortest text that reads back as the same number, as a formula shows a constant
// ("1", "0.1", "1E+21").
std::string NumberText(double value);

// A plain number as typed ("12", "-3.5", "1e3", " 4 "): no dates, no inf/nan, no hex.
std::optional<double> ParsePlainNumber(std::string_view text);

}  // namespace tallowmere::engine::formula_detail
