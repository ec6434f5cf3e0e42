#pragma once
// The spreadsheet object model that the sheet layer drives: one operation for each
// member the program uses of a spreadsheet application's automation interface.
// Implemented by the built-in engine (engine/) and by the recording double of the tests.
//
// Every failing operation throws AutomationError with a description text, as an
// automation server reports an error.

#include <memory>
#include <stdexcept>
#include <string>

namespace tallowmere {

class AutomationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Constants of the object model.
namespace xl {
inline constexpr int kCenter = -4108;
inline constexpr int kRight = -4152;
inline constexpr int kNone = -4142;       // LineStyle: no line; PrintComments: none
inline constexpr int kAutomatic = -4105;  // colour index: automatic
inline constexpr int kCursorWait = 2;
inline constexpr int kCursorDefault = -4143;
inline constexpr int kThin = 2;  // border weight
inline constexpr int kLandscape = 2;
inline constexpr int kPaperA4 = 9;
inline constexpr int kWorkbookNormal = -4143;  // file format of versions up to 11
inline constexpr int kExcel8 = 56;             // 97-2003 workbook, as versions 12+ name it
inline constexpr int kOpenXMLWorkbook = 51;    // SaveAs file format of an .xlsx workbook
inline constexpr int kTypePDF = 0;             // ExportAsFixedFormat: a PDF document
inline constexpr int kEdgeLeft = 7;
inline constexpr int kEdgeTop = 8;
inline constexpr int kEdgeBottom = 9;
inline constexpr int kEdgeRight = 10;
inline constexpr int kInsideVertical = 11;
inline constexpr int kInsideHorizontal = 12;
inline constexpr int kLine = 4;              // ChartType: a line chart
inline constexpr int kCategory = 1;          // Axes(type): the category axis
inline constexpr int kValue = 2;             // Axes(type): the value axis
inline constexpr int kTickLabelLow = -4134;  // TickLabelPosition: at the low end of the other axis
// FormatConditions.Add: a condition on the cell value, and its comparison operators.
inline constexpr int kCellValue = 1;
inline constexpr int kBetween = 1;
inline constexpr int kNotBetween = 2;
inline constexpr int kEqual = 3;
inline constexpr int kNotEqual = 4;
inline constexpr int kGreater = 5;
inline constexpr int kLess = 6;
inline constexpr int kGreaterEqual = 7;
inline constexpr int kLessEqual = 8;
}  // namespace xl

// A condition of a range's FormatConditions: the look its cells take while it holds.
class FormatCondition {
 public:
  virtual ~FormatCondition() = default;
  virtual void SetFontColor(long color) = 0;      // Font.Color: red + 256 green + 65536 blue
  virtual void SetInteriorColor(long color) = 0;  // Interior.Color: a solid fill of that colour
  // Font.ColorIndex and Interior.ColorIndex: the colour of a palette entry, 1..56.
  virtual void SetFontColorIndex(int index) = 0;
  virtual void SetInteriorColorIndex(int index) = 0;
};

// A range of the active sheet: a cell, a rectangle, whole rows, whole columns, all cells,
// the current selection or the active cell. Setting a property of a range sets it on
// every cell of the range.
class Range {
 public:
  virtual ~Range() = default;

  virtual void Select() = 0;
  virtual void Clear() = 0;                                  // contents and formats
  virtual void SetFormulaR1C1(const std::string& text) = 0;  // typed text or "=" formula
  virtual void Merge() = 0;

  // Font
  virtual void SetFontName(const std::string& name) = 0;
  virtual void SetFontStyle(const std::string& style) = 0;  // "Regular", "Bold", "Italic", "Bold Italic"
  virtual void SetFontSize(double points) = 0;
  virtual void SetFontColorIndex(int index) = 0;  // 1..56 or xl::kAutomatic
  // Interior
  virtual void SetInteriorColorIndex(int index) = 0;  // 1..56, xl::kAutomatic or xl::kNone
  // Alignment and format
  virtual void SetHorizontalAlignment(int alignment) = 0;  // xl::kCenter, xl::kRight
  virtual void SetVerticalAlignment(int alignment) = 0;    // xl::kCenter
  virtual void SetWrapText(bool wrap) = 0;
  virtual void SetNumberFormat(const std::string& format) = 0;
  virtual void SetRowHeight(double points) = 0;
  virtual void SetColumnWidth(double characters) = 0;
  // Borders(index): index is one of xl::kEdgeLeft .. xl::kInsideHorizontal.
  virtual void SetBorderWeight(int index, int weight) = 0;
  virtual void SetBorderColorIndex(int index, int colorIndex) = 0;
  virtual void SetBorderLineStyle(int index, int lineStyle) = 0;

  // Shape, as Rows / Columns (Count, item, Row / Column) report it; rows and columns
  // are numbered from 1.
  virtual int Row() const = 0;     // first row
  virtual int Column() const = 0;  // first column
  virtual int RowsCount() const = 0;
  virtual int ColumnsCount() const = 0;
  // Position and size in points from the sheet's top left corner (Left, Top, Width).
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;

  // Puts a picture of the range on the clipboard.
  virtual void CopyPicture() = 0;

  // FormatConditions.Add(type, operator, formula1, formula2): a condition on the value of
  // each cell of the range (type xl::kCellValue), compared by operator (xl::kBetween ..
  // xl::kLessEqual) with formula1, and for xl::kBetween and xl::kNotBetween formula2,
  // written as FormulaR1C1 takes them ("=0"). A range's conditions are tried in the order
  // they were added; the first that holds gives the cell its look.
  virtual std::unique_ptr<FormatCondition> AddFormatCondition(int type, int op, const std::string& formula1,
                                                              const std::string& formula2) = 0;
};

class PageSetup {
 public:
  virtual ~PageSetup() = default;
  virtual void SetPrintArea(const std::string& address) = 0;
  virtual void SetLeftMargin(double points) = 0;
  virtual void SetRightMargin(double points) = 0;
  virtual void SetTopMargin(double points) = 0;
  virtual void SetBottomMargin(double points) = 0;
  virtual void SetHeaderMargin(double points) = 0;
  virtual void SetFooterMargin(double points) = 0;
  virtual void SetPrintComments(int value) = 0;  // xl::kNone: comments not printed
  virtual void SetOrientation(int value) = 0;    // xl::kLandscape
  virtual void SetPaperSize(int value) = 0;      // xl::kPaperA4
  virtual void SetZoomOff() = 0;                 // Zoom = False: scale by FitToPages
  virtual void SetFitToPagesWide(int pages) = 0;
  virtual void SetFitToPagesTall(int pages) = 0;
};

// The chart of a chart object lying on a sheet (ChartObjects.Add(...).Chart). Ranges are
// A1 addresses on the chart's sheet.
class Chart {
 public:
  virtual ~Chart() = default;
  virtual void SetChartType(int type) = 0;             // xl::kLine
  virtual void SetTitle(const std::string& text) = 0;  // HasTitle = True, ChartTitle.Text
  virtual void SetHasLegend(bool on) = 0;
  // SeriesCollection.NewSeries, then its Name, Values and XValues (the categories).
  virtual void NewSeries(const std::string& name, const std::string& values, const std::string& xValues) = 0;
  // Axes(axis).CrossesAt: on the value axis, the value where the category axis crosses it.
  virtual void SetAxisCrossesAt(int axis, double value) = 0;
  // Axes(axis).TickLabelPosition, e.g. xl::kTickLabelLow.
  virtual void SetTickLabelPosition(int axis, int position) = 0;
};

class ChartObjects {
 public:
  virtual ~ChartObjects() = default;
  virtual int Count() const = 0;
  // A new chart object at left, top (points from the sheet's top left) of width by height
  // points; its chart.
  virtual std::shared_ptr<Chart> Add(double left, double top, double width, double height) = 0;
};

class Worksheet {
 public:
  virtual ~Worksheet() = default;
  virtual std::string Name() const = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual void Select() = 0;
  virtual void Delete() = 0;
  virtual std::unique_ptr<Range> UsedRange() = 0;
  virtual PageSetup& GetPageSetup() = 0;
  virtual ChartObjects& GetChartObjects() = 0;
};

class Sheets {
 public:
  virtual ~Sheets() = default;
  virtual int Count() const = 0;
  virtual std::shared_ptr<Worksheet> Item(int number) = 0;  // from 1
};

class Workbook {
 public:
  virtual ~Workbook() = default;
  virtual Sheets& GetSheets() = 0;
  virtual std::shared_ptr<Worksheet> ActiveSheet() = 0;
  // Colors(index) of the workbook palette, index 1..56; value red + 256 green + 65536 blue.
  virtual void SetColor(int index, long color) = 0;
  virtual long Color(int index) const = 0;
  // Saves under path in the given file format (xl::kExcel8 or xl::kWorkbookNormal: .xls;
  // xl::kOpenXMLWorkbook: .xlsx).
  virtual void SaveAs(const std::string& path, int fileFormat) = 0;
  // Writes the active sheet as a fixed-format document of the given type (xl::kTypePDF) at
  // path, laid out on its pages as the sheet's page setup says.
  virtual void ExportAsFixedFormat(int type, const std::string& path) = 0;
  virtual void Close() = 0;
};

class Workbooks {
 public:
  virtual ~Workbooks() = default;
  virtual std::shared_ptr<Workbook> Add() = 0;
  virtual int Count() const = 0;
  virtual std::shared_ptr<Workbook> Item(int number) = 0;  // from 1
  virtual std::shared_ptr<Workbook> Open(const std::string& path) = 0;
};

class Application {
 public:
  virtual ~Application() = default;

  // The application's default member, its name ("Microsoft Excel" for the application the
  // running-instance check looks for).
  virtual std::string Name() const = 0;
  virtual std::string Version() const = 0;
  virtual void Quit() = 0;

  virtual void SetVisible(bool visible) = 0;
  virtual void SetScreenUpdating(bool on) = 0;
  virtual void SetDisplayAlerts(bool on) = 0;
  virtual void SetEnableEvents(bool on) = 0;
  virtual void SetEnableCancelKey(int value) = 0;
  virtual void SetCursor(int cursor) = 0;

  virtual Workbooks& GetWorkbooks() = 0;
  virtual Sheets& GetSheets() = 0;  // of the active workbook
  virtual std::shared_ptr<Workbook> ActiveWorkbook() = 0;
  virtual std::shared_ptr<Worksheet> ActiveSheet() = 0;

  // Ranges of the active sheet.
  virtual std::unique_ptr<Range> Cells() = 0;
  virtual std::unique_ptr<Range> GetRange(const std::string& address) = 0;  // "B2", "B4:P50"
  virtual std::unique_ptr<Range> Rows(const std::string& address) = 0;      // "5:5"
  virtual std::unique_ptr<Range> Columns(const std::string& address) = 0;   // "D:D"
  virtual std::unique_ptr<Range> ActiveCell() = 0;
  virtual std::unique_ptr<Range> Selection() = 0;

  virtual double InchesToPoints(double inches) const = 0;
};

// Creates application instances and finds a running one; the one place that decides
// which spreadsheet application the program drives.
class ApplicationFactory {
 public:
  virtual ~ApplicationFactory() = default;
  // A new instance; throws AutomationError when none can be created.
  virtual std::shared_ptr<Application> Create() = 0;
  // An instance the user already has running; throws AutomationError when there is none.
  virtual std::shared_ptr<Application> GetRunning() = 0;
};

}  // namespace tallowmere
