#pragma once
// Shows formulas in test failures as their R1C1 text instead of raw bytes.

#include <ostream>

#include "engine/formula/formula.h"

namespace tallowmere::engine {
inline void PrintTo(const FormulaNode& formula, std::ostream* out) { *out << PrintR1C1(formula); }
}  // namespace tallowmere::engine
