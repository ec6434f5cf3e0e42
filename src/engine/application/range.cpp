// Ranges of the engine's object model: selecting, writing and formatting cells.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "engine/application/engine_objects.h"
#include "engine/application/internal/call_engine.h"
#include "engine/core/address.h"
#include "engine/core/sheet_format.h"
#include "engine/render/chart_place.h"
#include "engine/render/render.h"

namespace tallowmere::engine {
namespace {

// Writing every cell of a range this large is refused rather than attempted.
constexpr long long kMaxCellsWritten = 1'000'000;

[[noreturn]] void Refuse(const std::string& property, const std::string& object, const std::string& value) {
  throw AutomationError("Unable to set the " + property + " property of the " + object + " class: " + value);
}

bool IsPaletteIndex(int index) { return index >= 1 && index <= 56; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

HAlign ToHAlign(int alignment) {
  constexpr int kGeneral = 1, kLeft = -4131;
  switch (alignment) {
    case kGeneral: return HAlign::General;
    case kLeft: return HAlign::Left;
    case xl::kCenter: return HAlign::Center;
    case xl::kRight: return HAlign::Right;
    default: Refuse("HorizontalAlignment", "Range", std::to_string(alignment));
  }
}

VAlign ToVAlign(int alignment) {
  constexpr int kTop = -4160, kBottom = -4107;
  switch (alignment) {
    case kTop: return VAlign::Top;
    case xl::kCenter: return VAlign::Center;
    case kBottom: return VAlign::Bottom;
    default: Refuse("VerticalAlignment", "Range", std::to_string(alignment));
  }
}

}  // namespace

void EngineRange::Select() {
  auto& data = OpenData(*context_);
  auto it = std::find(data.sheets.begin(), data.sheets.end(), sheet_);
  if (it == data.sheets.end() || it - data.sheets.begin() != data.activeSheet) {
    throw AutomationError("Select method of Range class failed: the range is not on the active sheet");
  }
  sheet_->selection = rect_;
  sheet_->activeRow = rect_.firstRow;
  sheet_->activeColumn = rect_.firstColumn;
}

void EngineRange::Clear() {
  OpenData(*context_);
  ClearRange(*sheet_, rect_);
}

void EngineRange::SetFormulaR1C1(const std::string& text) {
  auto& data = OpenData(*context_);
  if (static_cast<long long>(RowsCount()) * ColumnsCount() > kMaxCellsWritten) {
    throw AutomationError("Unable to set the FormulaR1C1 property of the Range class: the range " +
                          FormatAddress(rect_) + " is too large");
  }
  CellEntry entry;
  try {
    entry = ParseCellEntry(text);
  } catch (const FormulaError& error) {
    throw AutomationError("Unable to set the FormulaR1C1 property of the Range class: the formula '" + text +
                          "' contains an error (" + error.what() + ")");
  }
  for (int row = rect_.firstRow; row <= rect_.lastRow; ++row) {
    for (int column = rect_.firstColumn; column <= rect_.lastColumn; ++column) {
      Cell& cell = sheet_->At(row, column);
      cell.formula = entry.formula;
      cell.value = entry.formula ? Value{} : entry.value;
      // A date typed into a cell of General format shows as a date.
      if (!entry.impliedNumberFormat.empty() && data.styles.Get(cell.style).numberFormat == "General") {
        Style style = data.styles.Get(cell.style);
        style.numberFormat = entry.impliedNumberFormat;
        cell.style = data.styles.Intern(style);
      }
    }
  }
}

void EngineRange::Merge() {
  OpenData(*context_);
  if (RowsCount() == 1 && ColumnsCount() == 1) return;
  if (IsWholeRows(rect_) || IsWholeColumns(rect_)) {
    throw AutomationError("Merge method of Range class failed: cannot merge whole rows or columns");
  }
  auto overlaps = [this](const CellRect& m) {
    return m.firstRow <= rect_.lastRow && rect_.firstRow <= m.lastRow && m.firstColumn <= rect_.lastColumn &&
           rect_.firstColumn <= m.lastColumn;
  };
  std::erase_if(sheet_->merges, overlaps);
  sheet_->merges.push_back(rect_);
  // As a spreadsheet does, the merged cell keeps only the top-left cell's content.
  for (auto& [position, cell] : sheet_->Cells()) {
    auto [row, column] = position;
    bool inside =
        row >= rect_.firstRow && row <= rect_.lastRow && column >= rect_.firstColumn && column <= rect_.lastColumn;
    if (inside && (row != rect_.firstRow || column != rect_.firstColumn)) {
      cell.formula = nullptr;
      cell.value = Value{};
    }
  }
}

void EngineRange::Change(const StyleChange& change) { ApplyStyleChange(OpenData(*context_), *sheet_, rect_, change); }

void EngineRange::SetFontName(const std::string& name) {
  if (name.empty() || name.size() > 31) Refuse("Name", "Font", "'" + name + "'");
  Change([&](Style& s, unsigned) { s.font.name = name; });
}

void EngineRange::SetFontStyle(const std::string& style) {
  const std::string key = Lower(style);
  bool bold, italic;
  if (key == "regular")
    bold = false, italic = false;
  else if (key == "bold")
    bold = true, italic = false;
  else if (key == "italic")
    bold = false, italic = true;
  else if (key == "bold italic")
    bold = true, italic = true;
  else
    Refuse("FontStyle", "Font", "'" + style + "'");
  Change([=](Style& s, unsigned) { s.font.bold = bold, s.font.italic = italic; });
}

void EngineRange::SetFontSize(double points) {
  if (!std::isfinite(points) || points < 1 || points > 409) Refuse("Size", "Font", std::to_string(points));
  Change([=](Style& s, unsigned) { s.font.size = points; });
}

void EngineRange::SetFontColorIndex(int index) {
  if (!IsPaletteIndex(index) && index != xl::kAutomatic) Refuse("ColorIndex", "Font", std::to_string(index));
  Change([=](Style& s, unsigned) { s.font.colorIndex = index; });
}

void EngineRange::SetInteriorColorIndex(int index) {
  if (!IsPaletteIndex(index) && index != xl::kAutomatic && index != xl::kNone) {
    Refuse("ColorIndex", "Interior", std::to_string(index));
  }
  const int fill = IsPaletteIndex(index) ? index : kColorNone;
  Change([=](Style& s, unsigned) { s.fillColorIndex = fill; });
}

void EngineRange::SetHorizontalAlignment(int alignment) {
  HAlign align = ToHAlign(alignment);
  Change([=](Style& s, unsigned) { s.horizontal = align; });
}

void EngineRange::SetVerticalAlignment(int alignment) {
  VAlign align = ToVAlign(alignment);
  Change([=](Style& s, unsigned) { s.vertical = align; });
}

void EngineRange::SetWrapText(bool wrap) {
  Change([=](Style& s, unsigned) { s.wrap = wrap; });
}

void EngineRange::SetNumberFormat(const std::string& format) {
  if (format.size() > 255) Refuse("NumberFormat", "Range", "'" + format + "'");
  const std::string stored = format.empty() ? "General" : format;
  Change([&](Style& s, unsigned) { s.numberFormat = stored; });
}

void EngineRange::SetRowHeight(double points) {
  OpenData(*context_);
  if (!std::isfinite(points) || points < 0 || points > 409.5) Refuse("RowHeight", "Range", std::to_string(points));
  if (IsWholeColumns(rect_)) {
    sheet_->defaultRowHeight = points;
    sheet_->rowHeights.clear();
    return;
  }
  for (int row = rect_.firstRow; row <= rect_.lastRow; ++row) sheet_->rowHeights[row] = points;
}

void EngineRange::SetColumnWidth(double characters) {
  OpenData(*context_);
  if (!std::isfinite(characters) || characters < 0 || characters > 255) {
    Refuse("ColumnWidth", "Range", std::to_string(characters));
  }
  if (IsWholeRows(rect_)) {
    sheet_->defaultColumnWidth = characters;
    sheet_->columnWidths.clear();
    return;
  }
  for (int column = rect_.firstColumn; column <= rect_.lastColumn; ++column) sheet_->columnWidths[column] = characters;
}

// Borders(index) of a range: the edges lie on the outer cells; the inside lines lie
// between neighbouring cells of the range, on both of their facing sides.
void EngineRange::ChangeBorder(int index, const std::function<void(BorderSide&)>& change) {
  if (index < xl::kEdgeLeft || index > xl::kInsideHorizontal) {
    throw AutomationError("Unable to get the Borders property of the Range class: index " + std::to_string(index));
  }
  Change([&](Style& s, unsigned edges) {
    switch (index) {
      case xl::kEdgeLeft:
        if (edges & kEdgeLeft) change(s.left);
        break;
      case xl::kEdgeTop:
        if (edges & kEdgeTop) change(s.top);
        break;
      case xl::kEdgeBottom:
        if (edges & kEdgeBottom) change(s.bottom);
        break;
      case xl::kEdgeRight:
        if (edges & kEdgeRight) change(s.right);
        break;
      case xl::kInsideVertical:
        if (!(edges & kEdgeLeft)) change(s.left);
        if (!(edges & kEdgeRight)) change(s.right);
        break;
      default:
        if (!(edges & kEdgeTop)) change(s.top);
        if (!(edges & kEdgeBottom)) change(s.bottom);
        break;
    }
  });
}

void EngineRange::SetBorderWeight(int index, int weight) {
  constexpr int kHairline = 1, kMedium = -4138, kThick = 4;
  if (weight != kHairline && weight != xl::kThin && weight != kMedium && weight != kThick) {
    Refuse("Weight", "Border", std::to_string(weight));
  }
  ChangeBorder(index, [](BorderSide& side) { side.line = true; });
}

void EngineRange::SetBorderColorIndex(int index, int colorIndex) {
  if (!IsPaletteIndex(colorIndex) && colorIndex != xl::kAutomatic)
    Refuse("ColorIndex", "Border", std::to_string(colorIndex));
  ChangeBorder(index, [=](BorderSide& side) { side = {true, colorIndex}; });
}

void EngineRange::SetBorderLineStyle(int index, int lineStyle) {
  constexpr int kContinuous = 1;
  if (lineStyle != kContinuous && lineStyle != xl::kNone) Refuse("LineStyle", "Border", std::to_string(lineStyle));
  const bool line = lineStyle == kContinuous;
  ChangeBorder(index, [=](BorderSide& side) { side = line ? BorderSide{true, side.colorIndex} : BorderSide{}; });
}

double EngineRange::Left() const {
  OpenData(*context_);
  return ColumnLeftPoints(*sheet_, rect_.firstColumn);
}

double EngineRange::Top() const {
  OpenData(*context_);
  return RowTopPoints(*sheet_, rect_.firstRow);
}

double EngineRange::Width() const {
  OpenData(*context_);
  return ColumnLeftPoints(*sheet_, rect_.lastColumn + 1) - ColumnLeftPoints(*sheet_, rect_.firstColumn);
}

void EngineRange::CopyPicture() {
  auto& data = OpenData(*context_);
  auto picture = CallEngine([&] { return RenderRangeBmp(data, *sheet_, rect_); });
  context_->clipboard->SetPicture(std::make_shared<const PictureBytes>(std::move(picture)));
}

}  // namespace tallowmere::engine
