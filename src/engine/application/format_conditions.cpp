// FormatConditions of the engine's ranges: conditions on the cell values of a range, each
// with the font colour and fill its cells take while it holds.
#include <array>

#include "engine/application/engine_objects.h"
#include "engine/core/conditional_format.h"
#include "engine/core/engine_error.h"

namespace tallowmere::engine {
namespace {

using Operator = FormatConditionData::Operator;

[[noreturn]] void Refuse(const std::string& what) {
  throw AutomationError("Add method of FormatConditions class failed: " + what);
}

Operator ToOperator(int op) {
  constexpr std::array<Operator, 8> kOperators = {Operator::Between,      Operator::NotBetween, Operator::Equal,
                                                  Operator::NotEqual,     Operator::Greater,    Operator::Less,
                                                  Operator::GreaterEqual, Operator::LessEqual};
  if (op < xl::kBetween || op > xl::kLessEqual) Refuse("no operator " + std::to_string(op));
  return kOperators[static_cast<std::size_t>(op - xl::kBetween)];
}

// A condition's formula as FormulaR1C1 takes it: "=" and the formula.
FormulaPtr ConditionFormula(const std::string& text) {
  if (text.size() < 2 || text.front() != '=') Refuse("the formula '" + text + "' does not start with '='");
  try {
    return ParseFormulaR1C1(std::string_view(text).substr(1));
  } catch (const FormulaError& error) {
    Refuse("the formula '" + text + "' contains an error (" + error.what() + ")");
  }
}

// An object-model colour (red + 256 green + 65536 blue) as 0xRRGGBB.
std::uint32_t Rgb(long color, const char* property) {
  if (color < 0 || color > 0xFFFFFF)
    throw AutomationError(std::string("Unable to set the Color property of the ") + property +
                          " class: " + std::to_string(color));
  const auto value = static_cast<std::uint32_t>(color);
  return (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16);
}

// One condition, found again by its place among the sheet's conditional formats.
class EngineFormatCondition : public FormatCondition {
 public:
  EngineFormatCondition(ContextPtr context, std::shared_ptr<SheetData> sheet, CellRect range,
                        std::pair<std::size_t, std::size_t> place)
      : context_(std::move(context)), sheet_(std::move(sheet)), range_(range), place_(place) {}

  void SetFontColor(long color) override { Data().fontRgb = Rgb(color, "Font"); }
  void SetInteriorColor(long color) override { Data().fillRgb = Rgb(color, "Interior"); }
  void SetFontColorIndex(int index) override { Data().fontRgb = PaletteRgb(index, "Font"); }
  void SetInteriorColorIndex(int index) override { Data().fillRgb = PaletteRgb(index, "Interior"); }

 private:
  // The colour the palette entry has now.
  std::uint32_t PaletteRgb(int index, const char* property) {
    const std::optional<std::uint32_t> rgb = OpenData(*context_).PaletteRgb(index);
    if (!rgb)
      throw AutomationError(std::string("Unable to set the ColorIndex property of the ") + property +
                            " class: " + std::to_string(index));
    return *rgb;
  }

  FormatConditionData& Data() {
    OpenData(*context_);
    auto& formats = sheet_->conditionalFormats;
    if (place_.first >= formats.size() || !(formats[place_.first].range == range_) ||
        place_.second >= formats[place_.first].conditions.size())
      throw AutomationError("The format condition was deleted");
    return formats[place_.first].conditions[place_.second];
  }

  ContextPtr context_;
  std::shared_ptr<SheetData> sheet_;
  CellRect range_;
  std::pair<std::size_t, std::size_t> place_;
};

}  // namespace

std::unique_ptr<FormatCondition> EngineRange::AddFormatCondition(int type, int op, const std::string& formula1,
                                                                 const std::string& formula2) {
  OpenData(*context_);
  if (type != xl::kCellValue) Refuse("no condition type " + std::to_string(type));
  FormatConditionData condition;
  condition.op = ToOperator(op);
  condition.formula1 = ConditionFormula(formula1);
  if (op == xl::kBetween || op == xl::kNotBetween) condition.formula2 = ConditionFormula(formula2);
  try {
    const auto place = engine::AddFormatCondition(*sheet_, rect_, std::move(condition));
    return std::make_unique<EngineFormatCondition>(context_, sheet_, rect_, place);
  } catch (const EngineError& error) {
    Refuse(error.what());
  }
}

}  // namespace tallowmere::engine
