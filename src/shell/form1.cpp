// The main window's start-up, closing, pointer and painting, and the Start command.

#include "shell/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>

#include "model/amount_store.h"
#include "model/store_keys.h"
#include "model/text_values.h"
#include "platform/error_report.h"
#include "platform/files.h"
#include "platform/widgets/hand_cursor.h"
#include "sheet/automation_link.h"
#include "sheet/report_driver.h"
#include "shell/application_identity.h"
#include "shell/internal/amounts_window.h"

namespace tallowmere {

Form1::Form1(Form1Services services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), model_(std::make_unique<TemplateModel>(listView_)) {
  BuildControls();
  WatchFields();
  for (auto [button, handler] :
       {std::pair{pushButton1_, &Form1::PushButton1_Click}, std::pair{pushButton2_, &Form1::PushButton2_Click},
        std::pair{pushButton3_, &Form1::PushButton3_Click}, std::pair{pushButton4_, &Form1::PushButton4_Click},
        std::pair{pushButton5_, &Form1::PushButton5_Click}, std::pair{pushButton6_, &Form1::PushButton6_Click},
        std::pair{pushButton22_, &Form1::PushButton22_Click}, std::pair{amountsButton_, &Form1::AmountsButton_Click}})
    connect(button, &QPushButton::clicked, this, handler);
}

Form1::~Form1() {
  if (busyCursorShown_) QApplication::restoreOverrideCursor();
}

bool Form1::Form_Load() {
  ErrorTrap trap(services_.dialogs, location::kForm1FormLoad);
  trap.Run(102, [&] { ApplySkin(); });
  trap.Run(104, [&] {
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowIcon(ApplicationIcon());
    SetApplicationTitle();
  });
  trap.Run(106, [&] { SuspendPainting(); });
  if (trap.Test(108, [&] { return services_.files.Exists(services_.programFolder + "/" + kHandCursorFile); }))
    trap.Run(110, [&] { LoadCustomPointer(); });
  trap.Run(138, [&] {
    SetText(ParameterField::MonthFirstYear, services_.store.Read(store_key::kText6, CurrentYearText()));
  });
  trap.Run(140,
           [&] { SetText(ParameterField::MonthLastYear, services_.store.Read(store_key::kText7, CurrentYearText())); });
  trap.Run(148, [&] {
    model_->LoadTemplate(false, services_.store, *this);
    LoadAmounts(services_.store, *model_);
    amountsLoaded_ = true;
  });
  trap.Run(150, [&] { ResumePainting(); });
  bool installed = true;
  trap.Run(154, [&] { installed = CheckSpreadsheetAppInstalled(services_.factory, services_.dialogs); });
  return installed;
}

void Form1::StoreSettings() {
  ErrorTrap trap(services_.dialogs, location::kForm1FormQueryUnload);
  const StepRunner run = [&](int line, const std::function<void()>& write) { trap.Run(line, write); };
  WriteStoreSteps(services_.store, ParameterStoreSteps(*this, model_->UnreadParameters()), run);
  model_->SaveTemplate(services_.store, run);
  if (amountsLoaded_) WriteStoreSteps(services_.store, AmountStoreSteps(*model_, services_.store), run);
  // The writes above may wait in memory; one flush makes them permanent. Its failure is
  // reported at the last write, the saved flag, which does not hold until the flush does.
  trap.Run(124, [&] { services_.store.Flush(); });
}

void Form1::AmountsButton_Click() {
  OpenFileChooser choose = chooseAmountsFile_;
  if (!choose) {
    choose = [this] {
      return QFileDialog::getOpenFileName(this, "Import Amounts", QString(), "CSV Files (*.csv);;All Files (*)")
          .toStdString();
    };
  }
  auto* window = new AmountsWindow(*model_, services_.dialogs, choose, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->open();
}

void Form1::closeEvent(QCloseEvent* event) {
  StoreSettings();
  event->accept();
  EndProgram();
}

void Form1::EndProgram() {
  if (services_.endProgram)
    services_.endProgram();
  else
    QCoreApplication::exit(0);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (centered_) return;
  centered_ = true;
  CenterOnScreen();
}

void Form1::PushButton22_Click() {
  ErrorTrap trap(services_.dialogs, location::kForm1PushButton22Click);
  trap.Run(100, [&] { SuspendPainting(); });
  if (trap.Test(102, [&] { return CheckYearRange(); })) {
    ResumePainting();
    return;
  }
  if (!trap.Test(104, [&] { return ConfirmIfSpreadsheetAppOpen(services_.factory, services_.dialogs); })) {
    trap.Run(106, [&] { SetMousePointer(PointerKind::Busy); });
    trap.Run(108, [&] { ResumePainting(); });
    trap.Run(110, [&] {
      if (!reportHost_) throw std::runtime_error("Object variable not set");
      ReportEnvironment environment{services_.factory, services_.dialogs, services_.clipboard, services_.files,
                                    services_.tempFolder};
      GenerateReport0(environment, *model_, SnapshotOf(*this), *reportHost_);
    });
    trap.Run(112, [&] { SetMousePointer(PointerKind::Default); });
  }
  trap.Run(114, [&] { ResumePainting(); });
}

void Form1::SetMousePointer(PointerKind kind) {
  mousePointer_ = kind;
  if (kind == PointerKind::Busy) {
    if (!busyCursorShown_) QApplication::setOverrideCursor(Qt::WaitCursor);
    busyCursorShown_ = true;
    return;
  }
  if (busyCursorShown_) QApplication::restoreOverrideCursor();
  busyCursorShown_ = false;
  if (kind == PointerKind::Custom)
    setCursor(customPointer_.value_or(QCursor(Qt::PointingHandCursor)));
  else
    unsetCursor();
}

// Buttons show the custom pointer; the window's background, the frames, the list and the
// company field show the default one; a busy pointer stays while a report is made.
void Form1::PointerOver(QObject* control) {
  if (mousePointer_ == PointerKind::Busy) return;
  const std::initializer_list<const QObject*> buttons = {pushButton1_, pushButton2_, pushButton3_,  pushButton4_,
                                                         pushButton5_, pushButton6_, pushButton22_, amountsButton_};
  const std::initializer_list<const QObject*> plainAreas = {
      this, frame1_, frame4_, frame6_, list1_, list1_->viewport(), text1_};
  const auto among = [control](std::initializer_list<const QObject*> controls) {
    return std::find(controls.begin(), controls.end(), control) != controls.end();
  };
  if (among(buttons) && mousePointer_ != PointerKind::Custom) SetMousePointer(PointerKind::Custom);
  if (among(plainAreas) && mousePointer_ != PointerKind::Default) SetMousePointer(PointerKind::Default);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
  PointerOver(this);
  QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove: PointerOver(watched); break;
    case QEvent::MouseButtonPress:
      // A press gives its button the focus first. When a field refused to let the focus
      // go (its value was rejected), the message box took the release: the press must
      // not hold the button down, as nothing would release it.
      if (qobject_cast<QPushButton*>(watched) && focusWidget() != watched) return true;
      break;
    case QEvent::FocusIn:
      if (auto* edit = qobject_cast<QLineEdit*>(watched))
        FieldGotFocus(edit, static_cast<QFocusEvent*>(event)->reason());
      break;
    case QEvent::FocusOut:
      if (auto* edit = qobject_cast<QLineEdit*>(watched))
        FieldLostFocus(edit, static_cast<QFocusEvent*>(event)->reason());
      break;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::SuspendPainting() { setUpdatesEnabled(false); }

void Form1::ResumePainting() { setUpdatesEnabled(true); }

}  // namespace tallowmere
