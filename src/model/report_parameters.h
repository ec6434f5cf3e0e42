#pragma once
// The report parameters: the company name, the period layout and its years or weeks.
// Years and weeks keep their text as typed; the checks and the layout compute from it.

#include <string>

namespace tallowmere {

enum class PeriodMode { Year, Month, Week };

// The parameters a report is made from, taken once when it starts.
struct ReportParameters {
  std::string company;
  PeriodMode mode = PeriodMode::Month;
  std::string firstYear;  // By Year: the range of years
  std::string lastYear;
  std::string monthFirstYear;  // By Month: the range of years, twelve months each
  std::string monthLastYear;
  std::string weeks;  // By Week: the number of weeks
};

// The fields where the parameters are edited.
enum class ParameterField { Company, FirstYear, LastYear, Weeks, MonthFirstYear, MonthLastYear };

// The two fields whose years the start check compares for a mode: By Month its own,
// otherwise those of By Year.
struct YearRangeFields {
  ParameterField first;
  ParameterField last;
};
YearRangeFields YearRangeOf(PeriodMode mode);

class ParameterFields {
 public:
  virtual ~ParameterFields() = default;
  virtual std::string Text(ParameterField field) const = 0;
  // Sets the field's text; runs what a change of that field runs (the By Month years are
  // stored at every change).
  virtual void SetText(ParameterField field, const std::string& text) = 0;
  virtual PeriodMode Mode() const = 0;
  virtual void SetMode(PeriodMode mode) = 0;
};

ReportParameters SnapshotOf(const ParameterFields& fields);

// Parameter fields without a window.
class PlainParameterFields : public ParameterFields {
 public:
  PlainParameterFields() = default;
  explicit PlainParameterFields(ReportParameters values) : values_(std::move(values)) {}

  std::string Text(ParameterField field) const override;
  void SetText(ParameterField field, const std::string& text) override;
  PeriodMode Mode() const override { return values_.mode; }
  void SetMode(PeriodMode mode) override { values_.mode = mode; }

  const ReportParameters& Values() const { return values_; }

 private:
  std::string& Slot(ParameterField field);
  ReportParameters values_;
};

}  // namespace tallowmere
