// The main window's controls, their fonts and colours, the optional skin, the hand
// pointer and the window's placement.

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <array>

#include "platform/files.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/hand_cursor.h"
#include "shell/form1.h"
#include "shell/internal/plain_frame_style.h"

namespace tallowmere {

namespace {

// Layout lengths are in twips; 15 twips make one logical pixel at 96 dpi.
constexpr int Px(int twips) { return twips / 15; }

QRect TwipRect(int left, int top, int width, int height) { return QRect(Px(left), Px(top), Px(width), Px(height)); }

QFont WindowFont() {
  QFont font("Arial");
  font.setPointSizeF(9);
  font.setBold(true);
  return font;
}

// Buttons, option buttons among them, draw their background in the button colour, other
// controls in the window colour: the widget's background role says which.
void PaintBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(widget->backgroundRole(), colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace

QPushButton* Form1::AddButton(QWidget* container, const char* name, const char* caption, int left, int top, int width,
                              int height) {
  QPushButton* button = NewCommandButton(name, caption, container);
  button->setGeometry(TwipRect(left, top, width, height));
  // A button ignores plain movements; they must not reach its frame, whose rule differs.
  button->setAttribute(Qt::WA_NoMousePropagation);
  button->installEventFilter(this);
  return button;
}

QLineEdit* Form1::AddField(QWidget* container, const char* name, const char* accessibleName, int left, int top,
                           int width, int height) {
  auto* edit = new QLineEdit(container);
  edit->setObjectName(name);
  // Without a name of its own a field is announced by its frame's caption, which would
  // give all five year and week fields the one name "How often?".
  edit->setAccessibleName(QString::fromUtf8(accessibleName));
  edit->setGeometry(TwipRect(left, top, width, height));
  edit->installEventFilter(this);
  return edit;
}

QRadioButton* Form1::AddOption(const char* name, const char* caption, int left, int top, int width, int height) {
  auto* option = new QRadioButton(QString::fromUtf8(caption), frame1_);
  option->setObjectName(name);
  option->setGeometry(TwipRect(left, top, width, height));
  // Option buttons leave the pointer as it is, so their movements stop here.
  option->setAttribute(Qt::WA_NoMousePropagation);
  return option;
}

QGroupBox* Form1::AddFrame(const char* name, const char* caption, int left, int top, int width, int height) {
  if (!frameStyle_) {
    frameStyle_ = new PlainFrameStyle();
    frameStyle_->setParent(this);
  }
  auto* frame = new QGroupBox(QString::fromUtf8(caption), this);
  frame->setObjectName(name);
  frame->setStyle(frameStyle_);
  frame->setGeometry(TwipRect(left, top, width, height));
  frame->setMouseTracking(true);
  frame->installEventFilter(this);
  return frame;
}

QLabel* Form1::AddLabel(const char* name, int left, int top) {
  auto* label = new QLabel("to", frame1_);
  label->setObjectName(name);
  label->setGeometry(TwipRect(left, top, 255, 255));
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}

void Form1::BuildControls() {
  setObjectName("Form1");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(Px(8040), Px(8475));
  setFont(WindowFont());
  QPalette fields = palette();
  fields.setColor(QPalette::Base, Qt::white);
  setPalette(fields);
  setMouseTracking(true);

  pushButton22_ = AddButton(this, "PushButton22", "Start Creating Template", 120, 120, 7800, 400);
  frame6_ = AddFrame("Frame6", "Company Name", 120, 1110, 7800, 800);
  text1_ = AddField(frame6_, "Text1", "Company name", 240, 300, 7320, 345);
  text1_->setMouseTracking(true);

  frame4_ = AddFrame("Frame4", "Template Items", 120, 3750, 7800, 4605);
  auto* list = new SingleChoiceList(frame4_);
  list1_ = list;
  list1_->setObjectName("List1");
  list1_->setAccessibleName("Template items");
  list1_->setGeometry(TwipRect(240, 300, 7275, 2085));
  list->FitWholeRows(Px(2085));
  list1_->setSelectionMode(QAbstractItemView::SingleSelection);
  list1_->setMouseTracking(true);
  list1_->viewport()->setMouseTracking(true);
  list1_->installEventFilter(this);
  list1_->viewport()->installEventFilter(this);
  listView_.Bind(list1_);
  pushButton1_ = AddButton(frame4_, "PushButton1", "Rename Selected", 240, 2490, 7275, 405);
  pushButton2_ = AddButton(frame4_, "PushButton2", "Insert New Below Selected", 240, 3000, 7275, 405);
  pushButton4_ = AddButton(frame4_, "PushButton4", "Delete Selected", 240, 3510, 7275, 405);
  pushButton3_ = AddButton(frame4_, "PushButton3", "Restore Default Template Items", 240, 4020, 7275, 405);

  frame1_ = AddFrame("Frame1", "How often?", 120, 1980, 7800, 1695);
  option3_ = AddOption("Option3", "By Month", 240, 300, 1215, 255);
  option3_->setChecked(true);
  text6_ = AddField(frame1_, "Text6", "By Month first year", 1560, 270, 615, 345);
  label3_ = AddLabel("Label3", 2400, 300);
  text7_ = AddField(frame1_, "Text7", "By Month last year", 2760, 270, 615, 345);
  option1_ = AddOption("Option1", "By Year", 240, 750, 975, 255);
  text2_ = AddField(frame1_, "Text2", "By Year first year", 1560, 720, 615, 345);
  label2_ = AddLabel("Label2", 2400, 735);
  text3_ = AddField(frame1_, "Text3", "By Year last year", 2760, 720, 615, 345);
  option2_ = AddOption("Option2", "By Week", 240, 1200, 1215, 255);
  text4_ = AddField(frame1_, "Text4", "By Week number of weeks", 1560, 1170, 615, 345);
  // The plan's numbers open from the empty right part of the frame.
  amountsButton_ = AddButton(frame1_, "AmountsButton", "&Amounts and Opening Cash...", 3960, 690, 3600, 405);
  amountsButton_->setAccessibleName("Amounts and opening cash");

  pushButton5_ = AddButton(this, "PushButton5", "Clear/Reset Data", 120, 630, 3840, 405);
  pushButton6_ = AddButton(this, "PushButton6", "Load Sample/Example Data", 4080, 630, 3840, 405);

  // The year and week fields leave the pointer as it is.
  for (QLineEdit* edit : {text2_, text3_, text4_, text6_, text7_}) edit->setAttribute(Qt::WA_NoMousePropagation);
  SetTabOrder();
  PaintBackgrounds(Qt::white);
}

// Keyboard order by tab index: Text1, Option3, Text6, Text7, Option1, Text2, Text3,
// Option2, Text4, List1, PushButton1, 2, 4, 3, PushButton22, PushButton5, PushButton6
// (frames and labels take no focus).
void Form1::SetTabOrder() {
  const std::array<QWidget*, 17> order = {
      text1_, option3_,     text6_,       text7_,       option1_,     text2_,        text3_,       option2_,    text4_,
      list1_, pushButton1_, pushButton2_, pushButton4_, pushButton3_, pushButton22_, pushButton5_, pushButton6_};
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  QWidget::setTabOrder(pushButton6_, amountsButton_);  // after every control of the design
}

// The window with its option buttons, frames and labels: white in the design, the
// button-face colour under a skin.
void Form1::PaintBackgrounds(const QColor& colour) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{this, option1_, option2_, option3_, frame1_, frame4_, frame6_, label2_, label3_})
    PaintBackground(control, colour);
}

// The optional skin beside the program: the button-face colour on the window and on its
// option buttons, frames and labels, then the file's style sheet. Without the file the
// design colours stay.
void Form1::ApplySkin() {
  const std::string path = services_.programFolder + "/x/o.cjs";
  if (!services_.files.Exists(path)) return;
  PaintBackgrounds(QApplication::palette().color(QPalette::Button));
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("Cannot read the skin file " + path);
  setStyleSheet(QString::fromUtf8(file.readAll()));
  skinApplied_ = true;
}

// The hand pointer image beside the program. A file that cannot be read throws and leaves
// the window without an image of its own: the custom pointer then shows the system's hand.
void Form1::LoadCustomPointer() {
  customPointer_ = LoadCursorFile(QString::fromStdString(services_.programFolder) + "/" + kHandCursorFile);
}

void Form1::CenterOnScreen() {
  const QScreen* where = screen() ? screen() : QApplication::primaryScreen();
  if (!where) return;
  const QRect available = where->availableGeometry();
  const QSize outer = frameGeometry().size().expandedTo(size());
  move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

}  // namespace tallowmere
