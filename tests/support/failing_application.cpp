#include "support/failing_application.h"

#include <utility>

namespace tallowmere::testing {

void FaultPlan::Next(const char* member) {
  calls.push_back(member);
  if (calls.size() == failAt) throw AutomationError(std::string("Injected failure of ") + member);
}

namespace {

// Each wrapper holds the plan and the object it passes calls on to.
template <typename T>
class Passing {
 protected:
  Passing(FaultPlan& plan, T* inner) : plan_(plan), inner_(inner) {}
  T& In(const char* member) const {
    plan_.Next(member);
    return *inner_;
  }
  FaultPlan& plan_;
  T* inner_;
};

class FailingFormatCondition : public FormatCondition, Passing<FormatCondition> {
 public:
  FailingFormatCondition(FaultPlan& plan, std::unique_ptr<FormatCondition> inner)
      : Passing(plan, inner.get()), owned_(std::move(inner)) {}
  void SetFontColor(long c) override { In("FormatCondition.Font.Color").SetFontColor(c); }
  void SetInteriorColor(long c) override { In("FormatCondition.Interior.Color").SetInteriorColor(c); }
  void SetFontColorIndex(int i) override { In("FormatCondition.Font.ColorIndex").SetFontColorIndex(i); }
  void SetInteriorColorIndex(int i) override { In("FormatCondition.Interior.ColorIndex").SetInteriorColorIndex(i); }

 private:
  std::unique_ptr<FormatCondition> owned_;
};

class FailingRange : public Range, Passing<Range> {
 public:
  FailingRange(FaultPlan& plan, std::unique_ptr<Range> inner) : Passing(plan, inner.get()), owned_(std::move(inner)) {}

  void Select() override { In("Range.Select").Select(); }
  void Clear() override { In("Range.Clear").Clear(); }
  void SetFormulaR1C1(const std::string& t) override { In("Range.FormulaR1C1").SetFormulaR1C1(t); }
  void Merge() override { In("Range.Merge").Merge(); }
  void SetFontName(const std::string& n) override { In("Range.Font.Name").SetFontName(n); }
  void SetFontStyle(const std::string& s) override { In("Range.Font.FontStyle").SetFontStyle(s); }
  void SetFontSize(double p) override { In("Range.Font.Size").SetFontSize(p); }
  void SetFontColorIndex(int i) override { In("Range.Font.ColorIndex").SetFontColorIndex(i); }
  void SetInteriorColorIndex(int i) override { In("Range.Interior.ColorIndex").SetInteriorColorIndex(i); }
  void SetHorizontalAlignment(int a) override { In("Range.HorizontalAlignment").SetHorizontalAlignment(a); }
  void SetVerticalAlignment(int a) override { In("Range.VerticalAlignment").SetVerticalAlignment(a); }
  void SetWrapText(bool w) override { In("Range.WrapText").SetWrapText(w); }
  void SetNumberFormat(const std::string& f) override { In("Range.NumberFormat").SetNumberFormat(f); }
  void SetRowHeight(double p) override { In("Range.RowHeight").SetRowHeight(p); }
  void SetColumnWidth(double c) override { In("Range.ColumnWidth").SetColumnWidth(c); }
  void SetBorderWeight(int i, int w) override { In("Range.Borders.Weight").SetBorderWeight(i, w); }
  void SetBorderColorIndex(int i, int c) override { In("Range.Borders.ColorIndex").SetBorderColorIndex(i, c); }
  void SetBorderLineStyle(int i, int s) override { In("Range.Borders.LineStyle").SetBorderLineStyle(i, s); }
  int Row() const override { return In("Range.Row").Row(); }
  int Column() const override { return In("Range.Column").Column(); }
  int RowsCount() const override { return In("Range.Rows.Count").RowsCount(); }
  int ColumnsCount() const override { return In("Range.Columns.Count").ColumnsCount(); }
  double Left() const override { return In("Range.Left").Left(); }
  double Top() const override { return In("Range.Top").Top(); }
  double Width() const override { return In("Range.Width").Width(); }
  void CopyPicture() override { In("Range.CopyPicture").CopyPicture(); }
  std::unique_ptr<FormatCondition> AddFormatCondition(int type, int op, const std::string& formula1,
                                                      const std::string& formula2) override {
    return std::make_unique<FailingFormatCondition>(
        plan_, In("Range.FormatConditions.Add").AddFormatCondition(type, op, formula1, formula2));
  }

 private:
  std::unique_ptr<Range> owned_;
};

std::unique_ptr<Range> Wrap(FaultPlan& plan, std::unique_ptr<Range> inner) {
  return std::make_unique<FailingRange>(plan, std::move(inner));
}

class FailingPageSetup : public PageSetup, Passing<PageSetup> {
 public:
  FailingPageSetup(FaultPlan& plan, PageSetup* inner) : Passing(plan, inner) {}
  void Reset(PageSetup* inner) { inner_ = inner; }

  void SetPrintArea(const std::string& a) override { In("PageSetup.PrintArea").SetPrintArea(a); }
  void SetLeftMargin(double p) override { In("PageSetup.LeftMargin").SetLeftMargin(p); }
  void SetRightMargin(double p) override { In("PageSetup.RightMargin").SetRightMargin(p); }
  void SetTopMargin(double p) override { In("PageSetup.TopMargin").SetTopMargin(p); }
  void SetBottomMargin(double p) override { In("PageSetup.BottomMargin").SetBottomMargin(p); }
  void SetHeaderMargin(double p) override { In("PageSetup.HeaderMargin").SetHeaderMargin(p); }
  void SetFooterMargin(double p) override { In("PageSetup.FooterMargin").SetFooterMargin(p); }
  void SetPrintComments(int v) override { In("PageSetup.PrintComments").SetPrintComments(v); }
  void SetOrientation(int v) override { In("PageSetup.Orientation").SetOrientation(v); }
  void SetPaperSize(int v) override { In("PageSetup.PaperSize").SetPaperSize(v); }
  void SetZoomOff() override { In("PageSetup.Zoom").SetZoomOff(); }
  void SetFitToPagesWide(int v) override { In("PageSetup.FitToPagesWide").SetFitToPagesWide(v); }
  void SetFitToPagesTall(int v) override { In("PageSetup.FitToPagesTall").SetFitToPagesTall(v); }
};

class FailingChart : public Chart, Passing<Chart> {
 public:
  FailingChart(FaultPlan& plan, std::shared_ptr<Chart> inner) : Passing(plan, inner.get()), owned_(std::move(inner)) {}

  void SetChartType(int t) override { In("Chart.ChartType").SetChartType(t); }
  void SetTitle(const std::string& t) override { In("Chart.ChartTitle.Text").SetTitle(t); }
  void SetHasLegend(bool on) override { In("Chart.HasLegend").SetHasLegend(on); }
  void NewSeries(const std::string& n, const std::string& v, const std::string& x) override {
    In("Chart.SeriesCollection.NewSeries").NewSeries(n, v, x);
  }
  void SetAxisCrossesAt(int a, double v) override { In("Chart.Axes.CrossesAt").SetAxisCrossesAt(a, v); }
  void SetTickLabelPosition(int a, int p) override { In("Chart.Axes.TickLabelPosition").SetTickLabelPosition(a, p); }

 private:
  std::shared_ptr<Chart> owned_;
};

class FailingChartObjects : public ChartObjects, Passing<ChartObjects> {
 public:
  FailingChartObjects(FaultPlan& plan, ChartObjects* inner) : Passing(plan, inner) {}
  void Reset(ChartObjects* inner) { inner_ = inner; }

  int Count() const override { return In("ChartObjects.Count").Count(); }
  std::shared_ptr<Chart> Add(double l, double t, double w, double h) override {
    return std::make_shared<FailingChart>(plan_, In("ChartObjects.Add").Add(l, t, w, h));
  }
};

class FailingWorksheet : public Worksheet, Passing<Worksheet> {
 public:
  FailingWorksheet(FaultPlan& plan, std::shared_ptr<Worksheet> inner)
      : Passing(plan, inner.get()), owned_(std::move(inner)), pageSetup_(plan, nullptr), chartObjects_(plan, nullptr) {}

  std::string Name() const override { return In("Worksheet.Name").Name(); }
  void SetName(const std::string& name) override { In("Worksheet.Name=").SetName(name); }
  void Select() override { In("Worksheet.Select").Select(); }
  void Delete() override { In("Worksheet.Delete").Delete(); }
  std::unique_ptr<Range> UsedRange() override { return Wrap(plan_, In("Worksheet.UsedRange").UsedRange()); }
  PageSetup& GetPageSetup() override {
    pageSetup_.Reset(&In("Worksheet.PageSetup").GetPageSetup());
    return pageSetup_;
  }
  ChartObjects& GetChartObjects() override {
    chartObjects_.Reset(&In("Worksheet.ChartObjects").GetChartObjects());
    return chartObjects_;
  }

 private:
  std::shared_ptr<Worksheet> owned_;
  FailingPageSetup pageSetup_;
  FailingChartObjects chartObjects_;
};

std::shared_ptr<Worksheet> Wrap(FaultPlan& plan, std::shared_ptr<Worksheet> inner) {
  return inner ? std::make_shared<FailingWorksheet>(plan, std::move(inner)) : nullptr;
}

class FailingSheets : public Sheets, Passing<Sheets> {
 public:
  FailingSheets(FaultPlan& plan, Sheets* inner) : Passing(plan, inner) {}
  void Reset(Sheets* inner) { inner_ = inner; }

  int Count() const override { return In("Sheets.Count").Count(); }
  std::shared_ptr<Worksheet> Item(int number) override { return Wrap(plan_, In("Sheets.Item").Item(number)); }
};

class FailingWorkbook : public Workbook, Passing<Workbook> {
 public:
  FailingWorkbook(FaultPlan& plan, std::shared_ptr<Workbook> inner)
      : Passing(plan, inner.get()), owned_(std::move(inner)), sheets_(plan, nullptr) {}

  Sheets& GetSheets() override {
    sheets_.Reset(&In("Workbook.Sheets").GetSheets());
    return sheets_;
  }
  std::shared_ptr<Worksheet> ActiveSheet() override { return Wrap(plan_, In("Workbook.ActiveSheet").ActiveSheet()); }
  void SetColor(int index, long color) override { In("Workbook.Colors=").SetColor(index, color); }
  long Color(int index) const override { return In("Workbook.Colors").Color(index); }
  void SaveAs(const std::string& path, int format) override { In("Workbook.SaveAs").SaveAs(path, format); }
  void ExportAsFixedFormat(int type, const std::string& path) override {
    In("Workbook.ExportAsFixedFormat").ExportAsFixedFormat(type, path);
  }
  void Close() override { In("Workbook.Close").Close(); }

 private:
  std::shared_ptr<Workbook> owned_;
  FailingSheets sheets_;
};

std::shared_ptr<Workbook> Wrap(FaultPlan& plan, std::shared_ptr<Workbook> inner) {
  return inner ? std::make_shared<FailingWorkbook>(plan, std::move(inner)) : nullptr;
}

class FailingWorkbooks : public Workbooks, Passing<Workbooks> {
 public:
  FailingWorkbooks(FaultPlan& plan, Workbooks* inner) : Passing(plan, inner) {}

  std::shared_ptr<Workbook> Add() override { return Wrap(plan_, In("Workbooks.Add").Add()); }
  int Count() const override { return In("Workbooks.Count").Count(); }
  std::shared_ptr<Workbook> Item(int number) override { return Wrap(plan_, In("Workbooks.Item").Item(number)); }
  std::shared_ptr<Workbook> Open(const std::string& path) override {
    return Wrap(plan_, In("Workbooks.Open").Open(path));
  }
};

class FailingApplication : public Application, Passing<Application> {
 public:
  FailingApplication(FaultPlan& plan, std::shared_ptr<Application> inner)
      : Passing(plan, inner.get()),
        owned_(std::move(inner)),
        workbooks_(plan, &owned_->GetWorkbooks()),
        sheets_(plan, nullptr) {}

  std::string Name() const override { return In("Application.Name").Name(); }
  std::string Version() const override { return In("Application.Version").Version(); }
  void Quit() override { In("Application.Quit").Quit(); }
  void SetVisible(bool v) override { In("Application.Visible").SetVisible(v); }
  void SetScreenUpdating(bool v) override { In("Application.ScreenUpdating").SetScreenUpdating(v); }
  void SetDisplayAlerts(bool v) override { In("Application.DisplayAlerts").SetDisplayAlerts(v); }
  void SetEnableEvents(bool v) override { In("Application.EnableEvents").SetEnableEvents(v); }
  void SetEnableCancelKey(int v) override { In("Application.EnableCancelKey").SetEnableCancelKey(v); }
  void SetCursor(int v) override { In("Application.Cursor").SetCursor(v); }
  Workbooks& GetWorkbooks() override {
    In("Application.Workbooks");
    return workbooks_;
  }
  Sheets& GetSheets() override {
    sheets_.Reset(&In("Application.Sheets").GetSheets());
    return sheets_;
  }
  std::shared_ptr<Workbook> ActiveWorkbook() override {
    return Wrap(plan_, In("Application.ActiveWorkbook").ActiveWorkbook());
  }
  std::shared_ptr<Worksheet> ActiveSheet() override { return Wrap(plan_, In("Application.ActiveSheet").ActiveSheet()); }
  std::unique_ptr<Range> Cells() override { return Wrap(plan_, In("Application.Cells").Cells()); }
  std::unique_ptr<Range> GetRange(const std::string& a) override {
    return Wrap(plan_, In("Application.Range").GetRange(a));
  }
  std::unique_ptr<Range> Rows(const std::string& a) override { return Wrap(plan_, In("Application.Rows").Rows(a)); }
  std::unique_ptr<Range> Columns(const std::string& a) override {
    return Wrap(plan_, In("Application.Columns").Columns(a));
  }
  std::unique_ptr<Range> ActiveCell() override { return Wrap(plan_, In("Application.ActiveCell").ActiveCell()); }
  std::unique_ptr<Range> Selection() override { return Wrap(plan_, In("Application.Selection").Selection()); }
  double InchesToPoints(double inches) const override {
    return In("Application.InchesToPoints").InchesToPoints(inches);
  }

 private:
  std::shared_ptr<Application> owned_;
  FailingWorkbooks workbooks_;
  FailingSheets sheets_;
};

}  // namespace

std::shared_ptr<Application> FailingFactory::Create() {
  plan.Next("CreateObject");
  return std::make_shared<FailingApplication>(plan, inner_.Create());
}

std::shared_ptr<Application> FailingFactory::GetRunning() {
  plan.Next("GetObject");
  return std::make_shared<FailingApplication>(plan, inner_.GetRunning());
}

}  // namespace tallowmere::testing
