#pragma once
// The report parameters as the main window holds them: six text fields and three
// mutually exclusive option buttons. The window implements ParameterFields over its
// controls; tests and the command line use PlainParameterFields.

#include <array>
#include <string>

namespace tallowmere {

enum class TextField { Text1, Text2, Text3, Text4, Text6, Text7 };
enum class OptionButton { Option1, Option2, Option3 };  // By Year, By Week, By Month

enum class PeriodMode { Year, Month, Week };

class ParameterFields {
 public:
  virtual ~ParameterFields() = default;
  virtual std::string Text(TextField field) const = 0;
  // Sets the field's text; runs what a change of that field runs (Text6/Text7 store it).
  virtual void SetText(TextField field, const std::string& text) = 0;
  virtual bool Option(OptionButton button) const = 0;
  // Selecting a button clears the other two; clearing one leaves the others as they are.
  virtual void SetOption(OptionButton button, bool selected) = 0;
};

// A copy of every parameter, taken once when a sheet is laid out.
struct ReportParameters {
  std::string text1;  // company name
  std::string text2;  // first year, By Year
  std::string text3;  // last year, By Year
  std::string text4;  // number of weeks
  std::string text6;  // first year, By Month
  std::string text7;  // last year, By Month
  bool option1 = false;  // By Year
  bool option2 = false;  // By Week
  bool option3 = true;   // By Month

  // By Year when Option1 is selected, else By Month when Option3 is, else By Week.
  PeriodMode Mode() const;
};

ReportParameters SnapshotOf(const ParameterFields& fields);

// Parameter fields without a window, with the option buttons' exclusivity.
class PlainParameterFields : public ParameterFields {
 public:
  PlainParameterFields() = default;
  explicit PlainParameterFields(const ReportParameters& values);

  std::string Text(TextField field) const override;
  void SetText(TextField field, const std::string& text) override;
  bool Option(OptionButton button) const override;
  void SetOption(OptionButton button, bool selected) override;

  const ReportParameters& Values() const { return values_; }

 private:
  std::string& Slot(TextField field);
  ReportParameters values_;
};

}  // namespace tallowmere
