#include "engine/application/application.h"

#include <algorithm>
#include <cmath>

#include "engine/application/engine_objects.h"
#include "engine/application/internal/call_engine.h"
#include "engine/application/workbook_files.h"
#include "engine/core/address.h"
#include "engine/core/calc.h"
#include "engine/core/sheet_format.h"
#include "engine/render/chart_place.h"
#include "engine/xls/xls_reader.h"

namespace tallowmere::engine {

WorkbookData& OpenData(const WorkbookContext& context) {
  if (context.closed) throw AutomationError("Object required: the workbook has been closed");
  return *context.data;
}

ContextPtr Lock(const WeakContext& context) {
  auto locked = context.lock();
  if (!locked) throw AutomationError("Object required: the workbook no longer exists");
  return locked;
}

std::shared_ptr<Worksheet> WorksheetFor(const ContextPtr& context, const std::shared_ptr<SheetData>& sheet) {
  auto& slot = context->worksheets[sheet.get()];
  if (!slot) slot = std::make_shared<EngineWorksheet>(context, sheet);
  return slot;
}

// --- Page setup ---------------------------------------------------------------------

PageSetupData& EnginePageSetup::Data() {
  OpenData(*Lock(context_));
  return sheet_->pageSetup;
}

PageSetupData& EnginePageSetup::Margin(double points) {
  if (!std::isfinite(points) || points < 0 || points > 49 * 72) {
    throw AutomationError("Unable to set the margin property of the PageSetup class: " + std::to_string(points));
  }
  return Data();
}

int EnginePageSetup::Pages(int pages) {
  if (pages < 0 || pages > 32767) {
    throw AutomationError("Unable to set the FitToPages property of the PageSetup class: " + std::to_string(pages));
  }
  return pages;
}

void EnginePageSetup::SetPrintArea(const std::string& address) {
  auto& data = Data();
  if (address.empty()) {
    data.printArea.clear();
    return;
  }
  auto rect = ParseAddress(address, AddressKind::Cells);
  if (!rect) throw AutomationError("Unable to set the PrintArea property of the PageSetup class: '" + address + "'");
  data.printArea = FormatAddress(*rect);
}

void EnginePageSetup::SetPrintComments(int value) {
  constexpr int kPrintInPlace = 16, kPrintSheetEnd = 1;
  if (value != xl::kNone && value != kPrintInPlace && value != kPrintSheetEnd) {
    throw AutomationError("Unable to set the PrintComments property of the PageSetup class: " + std::to_string(value));
  }
  Data().printComments = value != xl::kNone;
}

void EnginePageSetup::SetOrientation(int value) {
  constexpr int kPortrait = 1;
  if (value != kPortrait && value != xl::kLandscape) {
    throw AutomationError("Unable to set the Orientation property of the PageSetup class: " + std::to_string(value));
  }
  Data().landscape = value == xl::kLandscape;
}

void EnginePageSetup::SetPaperSize(int value) {
  if (value < 1 || value > 255) {
    throw AutomationError("Unable to set the PaperSize property of the PageSetup class: " + std::to_string(value));
  }
  Data().paperSize = value;
}

// --- Worksheets -----------------------------------------------------------------------

int EngineWorksheet::Index() const {
  const auto& sheets = OpenData(*Lock(context_)).sheets;
  auto it = std::find(sheets.begin(), sheets.end(), sheet_);
  if (it == sheets.end()) throw AutomationError("Object required: the sheet has been deleted");
  return static_cast<int>(it - sheets.begin());
}

void EngineWorksheet::SetName(const std::string& name) {
  Index();
  const bool badCharacter = name.find_first_of(":\\/?*[]") != std::string::npos;
  bool taken = false;
  for (const auto& other : Lock(context_)->data->sheets) taken |= other != sheet_ && other->name == name;
  if (name.empty() || name.size() > 31 || badCharacter || taken) {
    throw AutomationError("Unable to set the Name property of the Worksheet class: '" + name + "'");
  }
  sheet_->name = name;
}

void EngineWorksheet::Select() {
  int index = Index();
  Lock(context_)->data->activeSheet = index;
}

void EngineWorksheet::Delete() {
  int index = Index();
  auto context = Lock(context_);
  auto& data = *context->data;
  if (data.sheets.size() == 1) {
    throw AutomationError(
        "Delete method of Worksheet class failed: a workbook must contain at least one visible sheet");
  }
  data.sheets.erase(data.sheets.begin() + index);
  context->worksheets.erase(sheet_.get());
  if (data.activeSheet >= index && data.activeSheet > 0) --data.activeSheet;
}

std::unique_ptr<Range> EngineWorksheet::UsedRange() {
  Index();
  // A picture of the used range shows the charts lying below or beside the cells too.
  CellRect used = UsedRect(*sheet_);
  for (const ChartData& chart : sheet_->charts) {
    const CellRect cells = ChartCells(*sheet_, chart);
    used = {std::min(used.firstRow, cells.firstRow), std::min(used.firstColumn, cells.firstColumn),
            std::max(used.lastRow, cells.lastRow), std::max(used.lastColumn, cells.lastColumn)};
  }
  return std::make_unique<EngineRange>(Lock(context_), sheet_, used);
}

int EngineSheets::Count() const { return static_cast<int>(OpenData(*context_).sheets.size()); }

std::shared_ptr<Worksheet> EngineSheets::Item(int number) {
  auto& sheets = OpenData(*context_).sheets;
  if (number < 1 || number > static_cast<int>(sheets.size())) {
    throw AutomationError("Subscript out of range: sheet " + std::to_string(number));
  }
  return WorksheetFor(context_, sheets[number - 1]);
}

// --- Workbooks --------------------------------------------------------------------------

std::shared_ptr<Worksheet> EngineWorkbook::ActiveSheet() {
  auto& data = OpenData(*context_);
  return WorksheetFor(context_, data.sheets.at(data.activeSheet));
}

void EngineWorkbook::SetColor(int index, long color) {
  if (index < 1 || index > 56 || color < 0 || color > 0xFFFFFF) {
    throw AutomationError("Unable to set the Colors property of the Workbook class: index " + std::to_string(index) +
                          ", colour " + std::to_string(color));
  }
  OpenData(*context_).palette[index - 1] = static_cast<std::uint32_t>(color);
}

long EngineWorkbook::Color(int index) const {
  if (index < 1 || index > 56) throw AutomationError("Subscript out of range: colour " + std::to_string(index));
  return static_cast<long>(OpenData(*context_).palette[index - 1]);
}

void EngineWorkbook::SaveAs(const std::string& path, int fileFormat) {
  auto& data = OpenData(*context_);
  const bool xls = fileFormat == xl::kExcel8 || fileFormat == xl::kWorkbookNormal;
  if (!xls && fileFormat != xl::kOpenXMLWorkbook) {
    throw AutomationError("SaveAs method of Workbook class failed: file format " + std::to_string(fileFormat) +
                          " is not supported");
  }
  for (auto& sheet : data.sheets) Recalculate(*sheet);
  if (xls) {
    WriteXls(data, path, *context_->files);
  } else {
    WriteXlsx(data, path, *context_->files);
  }
}

void EngineWorkbook::ExportAsFixedFormat(int type, const std::string& path) {
  auto& data = OpenData(*context_);
  if (type != xl::kTypePDF) {
    throw AutomationError("ExportAsFixedFormat method of Workbook class failed: type " + std::to_string(type) +
                          " is not supported");
  }
  WritePdf(data, *data.sheets.at(data.activeSheet), path, *context_->files);
}

namespace {

std::shared_ptr<SheetData> NewSheet(const std::string& name) {
  auto sheet = std::make_shared<SheetData>();
  sheet->name = name;
  sheet->selection = {1, 1, 1, 1};
  return sheet;
}

class EngineWorkbooks : public Workbooks {
 public:
  EngineWorkbooks(PictureClipboard& clipboard, FileSystem& files, int sheetsInNewWorkbook)
      : clipboard_(clipboard), files_(files), sheetsInNewWorkbook_(sheetsInNewWorkbook) {}

  std::shared_ptr<Workbook> Add() override {
    auto data = std::make_shared<WorkbookData>();
    for (int i = 1; i <= sheetsInNewWorkbook_; ++i) data->sheets.push_back(NewSheet("Sheet" + std::to_string(i)));
    return Adopt(std::move(data));
  }
  int Count() const override {
    return static_cast<int>(std::count_if(list_.begin(), list_.end(), [](auto& w) { return !w->IsClosed(); }));
  }
  std::shared_ptr<Workbook> Item(int number) override {
    Prune();
    if (number < 1 || number > static_cast<int>(list_.size())) {
      throw AutomationError("Subscript out of range: workbook " + std::to_string(number));
    }
    return list_[number - 1];
  }
  std::shared_ptr<Workbook> Open(const std::string& path) override {
    return Adopt(CallEngine([&] { return ReadXls(path); }));
  }

  // The workbook most recently added or opened that is still open.
  std::shared_ptr<EngineWorkbook> Active() {
    Prune();
    if (list_.empty()) throw AutomationError("Object variable not set: there is no active workbook");
    return list_.back();
  }
  void CloseAll() {
    for (auto& w : list_) w->Close();
    list_.clear();
  }

 private:
  std::shared_ptr<Workbook> Adopt(std::shared_ptr<WorkbookData> data) {
    if (data->sheets.empty()) throw AutomationError("The workbook has no sheets");
    auto context = std::make_shared<WorkbookContext>();
    context->data = std::move(data);
    context->clipboard = &clipboard_;
    context->files = &files_;
    list_.push_back(std::make_shared<EngineWorkbook>(context));
    return list_.back();
  }
  void Prune() {
    std::erase_if(list_, [](auto& w) { return w->IsClosed(); });
  }

  PictureClipboard& clipboard_;
  FileSystem& files_;
  int sheetsInNewWorkbook_;
  std::vector<std::shared_ptr<EngineWorkbook>> list_;
};

class EngineApplication : public Application {
 public:
  EngineApplication(PictureClipboard& clipboard, FileSystem& files, int sheetsInNewWorkbook)
      : workbooks_(clipboard, files, sheetsInNewWorkbook) {}

  std::string Name() const override { return kEngineName; }
  std::string Version() const override { return kEngineVersion; }
  void Quit() override { workbooks_.CloseAll(); }

  // Display settings have no effect on an engine without a window; they are accepted.
  void SetVisible(bool) override {}
  void SetScreenUpdating(bool) override {}
  void SetDisplayAlerts(bool) override {}
  void SetEnableEvents(bool) override {}
  void SetEnableCancelKey(int) override {}
  void SetCursor(int) override {}

  Workbooks& GetWorkbooks() override { return workbooks_; }
  Sheets& GetSheets() override { return workbooks_.Active()->GetSheets(); }
  std::shared_ptr<Workbook> ActiveWorkbook() override { return workbooks_.Active(); }
  std::shared_ptr<Worksheet> ActiveSheet() override { return workbooks_.Active()->ActiveSheet(); }

  std::unique_ptr<Range> Cells() override { return MakeRange({1, 1, kMaxRows, kMaxColumns}); }
  std::unique_ptr<Range> GetRange(const std::string& address) override {
    auto rect = ParseAddress(address, AddressKind::Cells);
    if (!rect) rect = ParseAddress(address, AddressKind::Rows);
    if (!rect) rect = ParseAddress(address, AddressKind::Columns);
    return MakeRange(Checked(rect, "Range", address));
  }
  std::unique_ptr<Range> Rows(const std::string& address) override {
    return MakeRange(Checked(ParseAddress(address, AddressKind::Rows), "Rows", address));
  }
  std::unique_ptr<Range> Columns(const std::string& address) override {
    return MakeRange(Checked(ParseAddress(address, AddressKind::Columns), "Columns", address));
  }
  std::unique_ptr<Range> ActiveCell() override {
    const auto& sheet = ActiveSheetData();
    return MakeRange({sheet.activeRow, sheet.activeColumn, sheet.activeRow, sheet.activeColumn});
  }
  std::unique_ptr<Range> Selection() override { return MakeRange(ActiveSheetData().selection); }

  double InchesToPoints(double inches) const override { return inches * 72.0; }

 private:
  static CellRect Checked(const std::optional<CellRect>& rect, const char* method, const std::string& address) {
    if (!rect)
      throw AutomationError(std::string("Method '") + method + "' of object '_Global' failed: '" + address + "'");
    return *rect;
  }
  SheetData& ActiveSheetData() {
    auto& data = OpenData(*workbooks_.Active()->Context());
    return *data.sheets.at(data.activeSheet);
  }
  std::unique_ptr<Range> MakeRange(const CellRect& rect) {
    auto workbook = workbooks_.Active();
    auto& data = OpenData(*workbook->Context());
    return std::make_unique<EngineRange>(workbook->Context(), data.sheets.at(data.activeSheet), rect);
  }

  EngineWorkbooks workbooks_;
};

}  // namespace

EngineApplicationFactory::EngineApplicationFactory(PictureClipboard& clipboard, FileSystem& files,
                                                   int sheetsInNewWorkbook)
    : clipboard_(clipboard), files_(files), sheetsInNewWorkbook_(std::clamp(sheetsInNewWorkbook, 1, 255)) {}

std::shared_ptr<Application> EngineApplicationFactory::Create() {
  return std::make_shared<EngineApplication>(clipboard_, files_, sheetsInNewWorkbook_);
}

std::shared_ptr<Application> EngineApplicationFactory::GetRunning() {
  throw AutomationError("Operation unavailable: the built-in sheet engine has no running instance");
}

}  // namespace tallowmere::engine
