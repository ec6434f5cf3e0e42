#pragma once
// The engine's object-model classes, shared by application.cpp (application, workbooks,
// sheets, page setup) and range.cpp (ranges and the selection). Not for other layers:
// they see only automation/automation.h and engine/application/application.h.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/automation.h"
#include "engine/application/chart_objects.h"
#include "engine/core/workbook.h"
#include "platform/files.h"
#include "platform/picture_clipboard.h"

namespace tallowmere::engine {

class EngineWorksheet;

// What every object of one workbook refers to.
struct WorkbookContext {
  std::shared_ptr<WorkbookData> data;
  PictureClipboard* clipboard = nullptr;
  FileSystem* files = nullptr;
  bool closed = false;
  // One worksheet object per sheet, kept while the workbook lives, so that a reference
  // to its PageSetup stays valid however the worksheet was reached.
  std::map<const SheetData*, std::shared_ptr<EngineWorksheet>> worksheets;
};
using ContextPtr = std::shared_ptr<WorkbookContext>;
using WeakContext = std::weak_ptr<WorkbookContext>;

// The workbook's data, or AutomationError when the workbook was closed.
WorkbookData& OpenData(const WorkbookContext& context);
// The context of an object that does not keep its workbook alive.
ContextPtr Lock(const WeakContext& context);
// The worksheet object of a sheet of the workbook.
std::shared_ptr<Worksheet> WorksheetFor(const ContextPtr& context, const std::shared_ptr<SheetData>& sheet);

class EngineRange : public Range {
 public:
  EngineRange(ContextPtr context, std::shared_ptr<SheetData> sheet, CellRect rect)
      : context_(std::move(context)), sheet_(std::move(sheet)), rect_(rect) {}

  void Select() override;
  void Clear() override;
  void SetFormulaR1C1(const std::string& text) override;
  void Merge() override;
  void SetFontName(const std::string& name) override;
  void SetFontStyle(const std::string& style) override;
  void SetFontSize(double points) override;
  void SetFontColorIndex(int index) override;
  void SetInteriorColorIndex(int index) override;
  void SetHorizontalAlignment(int alignment) override;
  void SetVerticalAlignment(int alignment) override;
  void SetWrapText(bool wrap) override;
  void SetNumberFormat(const std::string& format) override;
  void SetRowHeight(double points) override;
  void SetColumnWidth(double characters) override;
  void SetBorderWeight(int index, int weight) override;
  void SetBorderColorIndex(int index, int colorIndex) override;
  void SetBorderLineStyle(int index, int lineStyle) override;
  int Row() const override { return rect_.firstRow; }
  int Column() const override { return rect_.firstColumn; }
  int RowsCount() const override { return rect_.lastRow - rect_.firstRow + 1; }
  int ColumnsCount() const override { return rect_.lastColumn - rect_.firstColumn + 1; }
  double Left() const override;
  double Top() const override;
  double Width() const override;
  void CopyPicture() override;
  // In format_conditions.cpp.
  std::unique_ptr<FormatCondition> AddFormatCondition(int type, int op, const std::string& formula1,
                                                      const std::string& formula2) override;

 private:
  void Change(const std::function<void(Style&, unsigned)>& change);
  void ChangeBorder(int index, const std::function<void(BorderSide&)>& change);

  ContextPtr context_;
  std::shared_ptr<SheetData> sheet_;
  CellRect rect_;
};

class EnginePageSetup : public PageSetup {
 public:
  EnginePageSetup(WeakContext context, std::shared_ptr<SheetData> sheet)
      : context_(std::move(context)), sheet_(std::move(sheet)) {}
  void SetPrintArea(const std::string& address) override;
  void SetLeftMargin(double points) override { Margin(points).leftMargin = points; }
  void SetRightMargin(double points) override { Margin(points).rightMargin = points; }
  void SetTopMargin(double points) override { Margin(points).topMargin = points; }
  void SetBottomMargin(double points) override { Margin(points).bottomMargin = points; }
  void SetHeaderMargin(double points) override { Margin(points).headerMargin = points; }
  void SetFooterMargin(double points) override { Margin(points).footerMargin = points; }
  void SetPrintComments(int value) override;
  void SetOrientation(int value) override;
  void SetPaperSize(int value) override;
  void SetZoomOff() override { Data().fitToPages = true; }
  void SetFitToPagesWide(int pages) override { Data().fitWide = Pages(pages); }
  void SetFitToPagesTall(int pages) override { Data().fitTall = Pages(pages); }

 private:
  PageSetupData& Data();
  PageSetupData& Margin(double points);  // checks a margin value
  static int Pages(int pages);

  WeakContext context_;
  std::shared_ptr<SheetData> sheet_;
};

class EngineWorksheet : public Worksheet {
 public:
  EngineWorksheet(WeakContext context, std::shared_ptr<SheetData> sheet)
      : context_(context), sheet_(sheet), pageSetup_(context, sheet), chartObjects_(context, sheet) {}
  std::string Name() const override { return sheet_->name; }
  void SetName(const std::string& name) override;
  void Select() override;
  void Delete() override;
  std::unique_ptr<Range> UsedRange() override;
  PageSetup& GetPageSetup() override { return pageSetup_; }
  ChartObjects& GetChartObjects() override { return chartObjects_; }

 private:
  int Index() const;  // position in the workbook; throws when the sheet was deleted

  WeakContext context_;
  std::shared_ptr<SheetData> sheet_;
  EnginePageSetup pageSetup_;
  EngineChartObjects chartObjects_;
};

class EngineSheets : public Sheets {
 public:
  explicit EngineSheets(ContextPtr context) : context_(std::move(context)) {}
  int Count() const override;
  std::shared_ptr<Worksheet> Item(int number) override;

 private:
  ContextPtr context_;
};

class EngineWorkbook : public Workbook {
 public:
  explicit EngineWorkbook(ContextPtr context) : context_(context), sheets_(context) {}
  Sheets& GetSheets() override { return sheets_; }
  std::shared_ptr<Worksheet> ActiveSheet() override;
  void SetColor(int index, long color) override;
  long Color(int index) const override;
  void SaveAs(const std::string& path, int fileFormat) override;
  void ExportAsFixedFormat(int type, const std::string& path) override;
  void Close() override { context_->closed = true; }

  const ContextPtr& Context() const { return context_; }
  bool IsClosed() const { return context_->closed; }

 private:
  ContextPtr context_;
  EngineSheets sheets_;
};

}  // namespace tallowmere::engine
