#include "support/recording_application.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace tallowmere::testing {
namespace {

std::string Num(double value) {
  std::ostringstream out;
  out << value;
  return out.str();
}
std::string Bool(bool value) { return value ? "True" : "False"; }

class RecordingFormatCondition : public FormatCondition {
 public:
  RecordingFormatCondition(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  void SetFontColor(long color) override { log_.Record(name_ + ".Font.Color=" + std::to_string(color)); }
  void SetInteriorColor(long color) override { log_.Record(name_ + ".Interior.Color=" + std::to_string(color)); }
  void SetFontColorIndex(int index) override { log_.Record(name_ + ".Font.ColorIndex=" + std::to_string(index)); }
  void SetInteriorColorIndex(int index) override {
    log_.Record(name_ + ".Interior.ColorIndex=" + std::to_string(index));
  }

 private:
  CallLog& log_;
  std::string name_;
};

class RecordingRange : public Range {
 public:
  RecordingRange(CallLog& log, std::string name, const RecordingOptions& options)
      : log_(log), name_(std::move(name)), options_(options) {}

  void Select() override { Rec("Select"); }
  void Clear() override { Rec("Clear"); }
  void SetFormulaR1C1(const std::string& text) override { Rec("FormulaR1C1=" + text); }
  void Merge() override { Rec("Merge"); }
  void SetFontName(const std::string& name) override { Rec("Font.Name=" + name); }
  void SetFontStyle(const std::string& style) override { Rec("Font.FontStyle=" + style); }
  void SetFontSize(double points) override { Rec("Font.Size=" + Num(points)); }
  void SetFontColorIndex(int index) override { Rec("Font.ColorIndex=" + Num(index)); }
  void SetInteriorColorIndex(int index) override { Rec("Interior.ColorIndex=" + Num(index)); }
  void SetHorizontalAlignment(int a) override { Rec("HorizontalAlignment=" + Num(a)); }
  void SetVerticalAlignment(int a) override { Rec("VerticalAlignment=" + Num(a)); }
  void SetWrapText(bool wrap) override { Rec("WrapText=" + Bool(wrap)); }
  void SetNumberFormat(const std::string& format) override { Rec("NumberFormat=" + format); }
  void SetRowHeight(double points) override { Rec("RowHeight=" + Num(points)); }
  void SetColumnWidth(double characters) override { Rec("ColumnWidth=" + Num(characters)); }
  void SetBorderWeight(int index, int weight) override { Rec(Border(index) + ".Weight=" + Num(weight)); }
  void SetBorderColorIndex(int index, int color) override { Rec(Border(index) + ".ColorIndex=" + Num(color)); }
  void SetBorderLineStyle(int index, int style) override { Rec(Border(index) + ".LineStyle=" + Num(style)); }
  int Row() const override { return 1; }
  int Column() const override { return 1; }
  int RowsCount() const override { return options_.usedRows; }
  int ColumnsCount() const override { return options_.usedColumns; }
  // Every range lies at the top left and is ten points wide: the recording only passes them on.
  double Left() const override { return 0; }
  double Top() const override { return 0; }
  double Width() const override { return 10; }
  void CopyPicture() override {
    Rec("CopyPicture");
    if (options_.clipboard)
      options_.clipboard->SetPicture(std::make_shared<const PictureBytes>(RecordedPictureBytes()));
  }
  std::unique_ptr<FormatCondition> AddFormatCondition(int type, int op, const std::string& formula1,
                                                      const std::string& formula2) override {
    Rec("FormatConditions.Add(" + Num(type) + "," + Num(op) + "," + formula1 +
        (formula2.empty() ? "" : "," + formula2) + ")");
    return std::make_unique<RecordingFormatCondition>(log_, name_ + ".FormatCondition");
  }

 private:
  static std::string Border(int index) { return "Borders(" + std::to_string(index) + ")"; }
  void Rec(const std::string& member) { log_.Record(name_ + "." + member); }

  CallLog& log_;
  std::string name_;
  const RecordingOptions& options_;
};

class RecordingPageSetup : public PageSetup {
 public:
  explicit RecordingPageSetup(CallLog& log) : log_(log) {}
  void SetPrintArea(const std::string& a) override { Rec("PrintArea=" + a); }
  void SetLeftMargin(double p) override { Rec("LeftMargin=" + Num(p)); }
  void SetRightMargin(double p) override { Rec("RightMargin=" + Num(p)); }
  void SetTopMargin(double p) override { Rec("TopMargin=" + Num(p)); }
  void SetBottomMargin(double p) override { Rec("BottomMargin=" + Num(p)); }
  void SetHeaderMargin(double p) override { Rec("HeaderMargin=" + Num(p)); }
  void SetFooterMargin(double p) override { Rec("FooterMargin=" + Num(p)); }
  void SetPrintComments(int v) override { Rec("PrintComments=" + Num(v)); }
  void SetOrientation(int v) override { Rec("Orientation=" + Num(v)); }
  void SetPaperSize(int v) override { Rec("PaperSize=" + Num(v)); }
  void SetZoomOff() override { Rec("Zoom=False"); }
  void SetFitToPagesWide(int v) override { Rec("FitToPagesWide=" + Num(v)); }
  void SetFitToPagesTall(int v) override { Rec("FitToPagesTall=" + Num(v)); }

 private:
  void Rec(const std::string& member) { log_.Record("PageSetup." + member); }
  CallLog& log_;
};

class RecordingChart : public Chart {
 public:
  explicit RecordingChart(CallLog& log) : log_(log) {}
  void SetChartType(int type) override { Rec("ChartType=" + Num(type)); }
  void SetTitle(const std::string& text) override { Rec("ChartTitle.Text=" + text); }
  void SetHasLegend(bool on) override { Rec("HasLegend=" + Bool(on)); }
  void NewSeries(const std::string& name, const std::string& values, const std::string& xValues) override {
    Rec("SeriesCollection.NewSeries(" + name + "," + values + "," + xValues + ")");
  }
  void SetAxisCrossesAt(int axis, double value) override { Rec("Axes(" + Num(axis) + ").CrossesAt=" + Num(value)); }
  void SetTickLabelPosition(int axis, int position) override {
    Rec("Axes(" + Num(axis) + ").TickLabelPosition=" + Num(position));
  }

 private:
  void Rec(const std::string& member) { log_.Record("Chart." + member); }
  CallLog& log_;
};

class RecordingChartObjects : public ChartObjects {
 public:
  explicit RecordingChartObjects(CallLog& log) : log_(log) {}
  int Count() const override { return count_; }
  std::shared_ptr<Chart> Add(double left, double top, double width, double height) override {
    ++count_;
    log_.Record("ChartObjects.Add(" + Num(left) + "," + Num(top) + "," + Num(width) + "," + Num(height) + ")");
    return std::make_shared<RecordingChart>(log_);
  }

 private:
  CallLog& log_;
  int count_ = 0;
};

class RecordingWorkbook;

class RecordingWorksheet : public Worksheet {
 public:
  RecordingWorksheet(CallLog& log, const RecordingOptions& options, RecordingWorkbook& book, std::string name)
      : log_(log), options_(options), book_(book), name_(std::move(name)), page_(log), charts_(log) {}
  std::string Name() const override { return name_; }
  void SetName(const std::string& name) override;
  void Select() override;
  void Delete() override;
  std::unique_ptr<Range> UsedRange() override { return std::make_unique<RecordingRange>(log_, "UsedRange", options_); }
  PageSetup& GetPageSetup() override { return page_; }
  ChartObjects& GetChartObjects() override { return charts_; }

 private:
  std::string Ref() const;
  CallLog& log_;
  const RecordingOptions& options_;
  RecordingWorkbook& book_;
  std::string name_;
  RecordingPageSetup page_;
  RecordingChartObjects charts_;
};

class RecordingWorkbook : public Workbook, public Sheets {
 public:
  RecordingWorkbook(CallLog& log, const RecordingOptions& options, int sheets) : log_(log) {
    for (int i = 1; i <= sheets; ++i)
      sheets_.push_back(std::make_shared<RecordingWorksheet>(log, options, *this, "Sheet" + std::to_string(i)));
  }
  Sheets& GetSheets() override { return *this; }
  std::shared_ptr<Worksheet> ActiveSheet() override {
    if (sheets_.empty()) throw AutomationError("No sheet");
    return sheets_.front();
  }
  void SetColor(int index, long color) override {
    log_.Record("ActiveWorkbook.Colors(" + std::to_string(index) + ")=" + std::to_string(color));
  }
  long Color(int) const override { return 0; }
  void ExportAsFixedFormat(int type, const std::string& path) override {
    log_.Record("Workbook.ExportAsFixedFormat(" + std::to_string(type) + "," + path + ")");
  }
  void SaveAs(const std::string& path, int fileFormat) override {
    log_.Record("Workbook.SaveAs(" + path + "," + std::to_string(fileFormat) + ")");
    std::ofstream(path, std::ios::binary) << "recorded workbook";
  }
  void Close() override { log_.Record("Workbook.Close"); }

  int Count() const override { return static_cast<int>(sheets_.size()); }
  std::shared_ptr<Worksheet> Item(int number) override {
    if (number < 1 || number > Count()) throw AutomationError("Subscript out of range");
    return sheets_[number - 1];
  }
  int NumberOf(const Worksheet* sheet) const {
    for (size_t i = 0; i < sheets_.size(); ++i)
      if (sheets_[i].get() == sheet) return static_cast<int>(i) + 1;
    return 0;
  }
  void Remove(const Worksheet* sheet) {
    sheets_.erase(std::remove_if(sheets_.begin(), sheets_.end(), [&](auto& s) { return s.get() == sheet; }),
                  sheets_.end());
  }

 private:
  CallLog& log_;
  std::vector<std::shared_ptr<RecordingWorksheet>> sheets_;
};

std::string RecordingWorksheet::Ref() const { return "Sheets(" + std::to_string(book_.NumberOf(this)) + ")"; }
void RecordingWorksheet::SetName(const std::string& name) {
  log_.Record(Ref() + ".Name=" + name);
  name_ = name;
}
void RecordingWorksheet::Select() { log_.Record(Ref() + ".Select"); }
void RecordingWorksheet::Delete() {
  log_.Record(Ref() + ".Delete");
  book_.Remove(this);
}

class RecordingWorkbooks : public Workbooks {
 public:
  RecordingWorkbooks(CallLog& log, const RecordingOptions& options) : log_(log), options_(options) {}
  std::shared_ptr<Workbook> Add() override {
    log_.Record("Workbooks.Add");
    return Push(options_.sheetsInNewWorkbook);
  }
  int Count() const override { return static_cast<int>(books_.size()); }
  std::shared_ptr<Workbook> Item(int number) override {
    if (number < 1 || number > Count()) throw AutomationError("Subscript out of range");
    return books_[number - 1];
  }
  std::shared_ptr<Workbook> Open(const std::string& path) override {
    log_.Record("Workbooks.Open(" + path + ")");
    return Push(1);
  }
  std::shared_ptr<RecordingWorkbook> Active() {
    if (books_.empty()) throw AutomationError("No workbook is open");
    return books_.back();
  }

 private:
  std::shared_ptr<Workbook> Push(int sheets) {
    books_.push_back(std::make_shared<RecordingWorkbook>(log_, options_, sheets));
    return books_.back();
  }
  CallLog& log_;
  const RecordingOptions& options_;
  std::vector<std::shared_ptr<RecordingWorkbook>> books_;
};

class RecordingApplication : public Application {
 public:
  RecordingApplication(CallLog& log, const RecordingOptions& options)
      : log_(log), options_(options), workbooks_(log, options) {}

  std::string Name() const override { return options_.name; }
  std::string Version() const override { return options_.version; }
  void Quit() override { log_.Record("Quit"); }
  void SetVisible(bool v) override { log_.Record("Visible=" + Bool(v)); }
  void SetScreenUpdating(bool v) override { log_.Record("ScreenUpdating=" + Bool(v)); }
  void SetDisplayAlerts(bool v) override { log_.Record("DisplayAlerts=" + Bool(v)); }
  void SetEnableEvents(bool v) override { log_.Record("EnableEvents=" + Bool(v)); }
  void SetEnableCancelKey(int v) override { log_.Record("EnableCancelKey=" + Num(v)); }
  void SetCursor(int v) override { log_.Record("Cursor=" + Num(v)); }
  Workbooks& GetWorkbooks() override { return workbooks_; }
  Sheets& GetSheets() override { return workbooks_.Active()->GetSheets(); }
  std::shared_ptr<Workbook> ActiveWorkbook() override { return workbooks_.Active(); }
  std::shared_ptr<Worksheet> ActiveSheet() override { return workbooks_.Active()->ActiveSheet(); }
  std::unique_ptr<Range> Cells() override { return Make("Cells"); }
  std::unique_ptr<Range> GetRange(const std::string& a) override { return Make("Range(" + a + ")"); }
  std::unique_ptr<Range> Rows(const std::string& a) override { return Make("Rows(" + a + ")"); }
  std::unique_ptr<Range> Columns(const std::string& a) override { return Make("Columns(" + a + ")"); }
  std::unique_ptr<Range> ActiveCell() override { return Make("ActiveCell"); }
  std::unique_ptr<Range> Selection() override { return Make("Selection"); }
  double InchesToPoints(double inches) const override { return inches * 72; }

 private:
  std::unique_ptr<Range> Make(const std::string& name) {
    return std::make_unique<RecordingRange>(log_, name, options_);
  }
  CallLog& log_;
  const RecordingOptions& options_;
  RecordingWorkbooks workbooks_;
};

}  // namespace

void CallLog::Record(const std::string& call) {
  calls.push_back(call);
  const bool failAt = failAtCall && *failAtCall == calls.size() - 1;
  const bool failOn = std::any_of(failingPrefixes.begin(), failingPrefixes.end(),
                                  [&](const std::string& p) { return call.rfind(p, 0) == 0; });
  if (failAt || failOn) throw AutomationError("Recorded failure: " + call);
}

std::vector<size_t> CallLog::Find(const std::string& prefix) const {
  std::vector<size_t> found;
  for (size_t i = 0; i < calls.size(); ++i)
    if (calls[i].rfind(prefix, 0) == 0) found.push_back(i);
  return found;
}

long CallLog::IndexOf(const std::string& text) const {
  auto it = std::find(calls.begin(), calls.end(), text);
  return it == calls.end() ? -1 : static_cast<long>(it - calls.begin());
}

std::shared_ptr<Application> RecordingFactory::Create() {
  log.Record("CreateObject");
  if (failCreate) throw AutomationError("ActiveX component can't create object");
  ++created;
  return std::make_shared<RecordingApplication>(log, options);
}

std::shared_ptr<Application> RecordingFactory::GetRunning() {
  if (runningName.empty()) throw AutomationError("ActiveX component can't create object");
  // The instance keeps its own options alive: it answers with the running name.
  auto running = std::make_shared<RecordingOptions>(options);
  running->name = runningName;
  return std::shared_ptr<Application>(new RecordingApplication(log, *running),
                                      [running](Application* app) { delete app; });
}

PictureBytes RecordedPictureBytes() { return {'B', 'M', 0, 0}; }

}  // namespace tallowmere::testing
