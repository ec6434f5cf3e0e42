#pragma once
// The main window: report parameters, the template item list with its commands, and the
// "Start Creating Template" command. Loading it is the program's start-up; closing it
// stores the settings and ends the program.

#include <QCursor>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "automation/automation.h"
#include "model/report_parameters.h"
#include "model/template_model.h"
#include "platform/dialogs.h"
#include "platform/error_report.h"
#include "platform/files.h"
#include "platform/picture_clipboard.h"
#include "platform/settings_store.h"
#include "sheet/report_host.h"
#include "shell/list_widget_view.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tallowmere {

class PlainFrameStyle;

// How the error report names the main window's procedures.
namespace location {
inline constexpr std::string_view kForm1PushButton1Click = "in Brindlecast2021/08/31.Form1.PushButton1_Click ";
inline constexpr std::string_view kForm1PushButton2Click = "in Brindlecast2021/08/31.Form1.PushButton2_Click ";
inline constexpr std::string_view kForm1PushButton22Click = "in Brindlecast2021/08/31.Form1.PushButton22_Click ";
inline constexpr std::string_view kForm1PushButton3Click = "in Brindlecast2021/08/31.Form1.PushButton3_Click ";
inline constexpr std::string_view kForm1FormLoad = "in Brindlecast2021/08/31.Form1.Form_Load ";
inline constexpr std::string_view kForm1FormQueryUnload = "in Brindlecast2021/08/31.Form1.Form_QueryUnload ";
inline constexpr std::string_view kForm1PushButton4Click = "in Brindlecast2021/08/31.Form1.PushButton4_Click ";
inline constexpr std::string_view kForm1PushButton5Click = "in Brindlecast2021/08/31.Form1.PushButton5_Click ";
inline constexpr std::string_view kForm1PushButton6Click = "in Brindlecast2021/08/31.Form1.PushButton6_Click ";
}  // namespace location

// What the main window works with; the program's main (or a test) provides it.
struct Form1Services {
  Dialogs& dialogs;
  SettingsStore& store;
  ApplicationFactory& factory;
  PictureClipboard& clipboard;
  FileSystem& files;
  // Where the optional hand pointer "HAND-M.CUR" and skin "x/o.cjs" are looked for.
  std::string programFolder;
  // Where reports put their temporary workbook and picture.
  std::string tempFolder;
  // Ends the program without closing other windows; empty means QCoreApplication::exit(0).
  std::function<void()> endProgram;
};

class Form1 : public QWidget, public ParameterFields {
 public:
  explicit Form1(Form1Services services, QWidget* parent = nullptr);
  ~Form1() override;

  // The driver's hand-over to the preview; without one a report cannot be shown.
  void SetReportHost(ReportHost* host) { reportHost_ = host; }
  // Asks for an amounts file to import ("" on Cancel); without one a Qt file dialog asks.
  void SetAmountsFileChooser(std::function<std::string()> choose) { chooseAmountsFile_ = std::move(choose); }

  // Start-up, run before the window is shown. False when the program must end at once
  // (no spreadsheet application can be created); the window is then never shown.
  bool Form_Load();
  // The stores of closing, in order: the six parameter keys, then the item table.
  // Closing the preview window stores the settings through this too.
  void StoreSettings();

  // Commands, as their buttons run them.
  void PushButton1_Click();    // rename the selected item
  void PushButton2_Click();    // insert a new item below the selected one
  void PushButton3_Click();    // restore the default template
  void PushButton4_Click();    // delete the selected item
  void PushButton5_Click();    // clear the parameters, then offer the restore
  void PushButton6_Click();    // sample parameters
  void PushButton22_Click();   // start creating the report
  void AmountsButton_Click();  // opens the amounts window over this one

  // Field checks: true when the value was rejected (the corrected value then stands).
  bool CheckYear(ParameterField field);
  bool CheckWeekCount(ParameterField field);
  bool CheckYearRange();

  // ParameterFields over the window's controls.
  // The fields are Text1 (company), Text2 and Text3 (By Year), Text4 (weeks), Text6 and
  // Text7 (By Month); the modes are Option1 (By Year), Option3 (By Month), Option2 (By Week).
  std::string Text(ParameterField field) const override;
  void SetText(ParameterField field, const std::string& text) override;
  PeriodMode Mode() const override;
  void SetMode(PeriodMode mode) override;

  PointerKind MousePointer() const { return mousePointer_; }
  void SetMousePointer(PointerKind kind);
  bool HasCustomPointerImage() const { return customPointer_.has_value(); }
  bool PaintingSuspended() const { return !updatesEnabled(); }
  bool SkinApplied() const { return skinApplied_; }

  TemplateModel& Model() { return *model_; }
  // Where the optional files beside the program are looked for.
  QLineEdit* Field(ParameterField field) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Layout (form1_layout.cpp).
  void BuildControls();
  QPushButton* AddButton(QWidget* container, const char* name, const char* caption, int left, int top, int width,
                         int height);
  QLineEdit* AddField(QWidget* container, const char* name, const char* accessibleName, int left, int top, int width,
                      int height);
  QRadioButton* AddOption(const char* name, const char* caption, int left, int top, int width, int height);
  QGroupBox* AddFrame(const char* name, const char* caption, int left, int top, int width, int height);
  QLabel* AddLabel(const char* name, int left, int top);
  void SetTabOrder();
  void PaintBackgrounds(const QColor& colour);
  void ApplySkin();
  void LoadCustomPointer();
  void CenterOnScreen();

  // Fields (form1_fields.cpp).
  void WatchFields();
  void FieldGotFocus(QLineEdit* edit, Qt::FocusReason reason);
  void FieldLostFocus(QLineEdit* edit, Qt::FocusReason reason);
  bool CheckField(QLineEdit* edit);
  void StoreMonthField(const char* key, const QString& text);

  // Pointer rules for mouse movement over a control.
  void PointerOver(QObject* control);
  void SuspendPainting();
  void ResumePainting();
  int SelectedItemNumber() const;
  void ShowExistingItem(ErrorTrap& trap, int firstLine, const std::string& answer);
  void EndProgram();

  Form1Services services_;
  ListWidgetView listView_;
  std::unique_ptr<TemplateModel> model_;
  ReportHost* reportHost_ = nullptr;
  std::function<std::string()> chooseAmountsFile_;

  QPushButton* pushButton1_ = nullptr;
  QPushButton* pushButton2_ = nullptr;
  QPushButton* pushButton3_ = nullptr;
  QPushButton* pushButton4_ = nullptr;
  QPushButton* pushButton5_ = nullptr;
  QPushButton* pushButton6_ = nullptr;
  QPushButton* pushButton22_ = nullptr;
  QPushButton* amountsButton_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame4_ = nullptr;
  QGroupBox* frame6_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* text3_ = nullptr;
  QLineEdit* text4_ = nullptr;
  QLineEdit* text6_ = nullptr;
  QLineEdit* text7_ = nullptr;
  PlainFrameStyle* frameStyle_ = nullptr;  // shared by the three frames
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
  QRadioButton* option3_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QListWidget* list1_ = nullptr;

  PointerKind mousePointer_ = PointerKind::Default;
  bool busyCursorShown_ = false;
  std::optional<QCursor> customPointer_;
  bool skinApplied_ = false;
  bool centered_ = false;
  bool monthStoreFailureShown_ = false;
  // Whether the stored numbers were read: closing writes them back only then, so that a
  // store whose numbers could not be read keeps them.
  bool amountsLoaded_ = false;
  // Set while the focus is put back into a rejected field, so that the field it leaves
  // is not checked for a move the user never made.
  bool refocusing_ = false;
};

}  // namespace tallowmere
