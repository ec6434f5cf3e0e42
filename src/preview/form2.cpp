#include "preview/form2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QImageReader>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "platform/error_report.h"
#include "platform/files.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/hand_cursor.h"
#include "preview/internal/scroll_bar.h"
#include "preview/picture_box.h"
#include "preview/zoomed_picture.h"
#include "sheet/report_copy.h"

namespace tallowmere {

namespace {

constexpr int kClientWidth = 9840;
constexpr int kClientHeight = 9390;
constexpr int kButtonHeight = 405;
// An arrow key, or a click on a bar's arrow, moves the picture about 20 pixels.
constexpr int kArrowStepTwips = 300;

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

// The largest picture a sheet gives, in pixels each way.
constexpr int kLargestPictureSide = 16384;

// Reads the picture whatever the image reader's allocation limit, as long as it is no
// larger than a sheet's picture can be; the limit is as before afterwards.
QImage ReadPicture(QImageReader& reader) {
  const QSize size = reader.size();
  const int limitBefore = QImageReader::allocationLimit();
  if (size.isValid() && size.width() <= kLargestPictureSide && size.height() <= kLargestPictureSide) {
    constexpr qint64 kBytesPerPixel = 4;
    const qint64 megabytes = ((kBytesPerPixel * size.width() * size.height()) >> 20) + 1;
    if (limitBefore != 0 && limitBefore < megabytes) QImageReader::setAllocationLimit(static_cast<int>(megabytes));
  }
  QImage image = reader.read();
  QImageReader::setAllocationLimit(limitBefore);
  return image;
}

float ToTwips(qreal pixels) { return static_cast<float>(pixels * kTwipsPerPixel); }

// The window and its frames take the button-face colour; other controls keep theirs.
void ApplyFaceColors(QWidget* window, QWidget* frame) {
  for (QWidget* widget : {window, frame}) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
  }
}

}  // namespace

Form2::Form2(Form2Services services, Callbacks callbacks, QWidget* parent)
    : QWidget(parent, Qt::Window),
      dialogs_(services.dialogs),
      files_(services.files),
      factory_(services.factory),
      callbacks_(std::move(callbacks)),
      programFolder_(std::move(services.programFolder)) {
  CreateControls();
  Form_Load();
  PlaceControls();
}

void Form2::CreateControls() {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  QFont font("Arial", 9);
  font.setBold(true);
  setFont(font);
  setMouseTracking(true);

  hScroll1_ = new ScrollBar(Qt::Horizontal, this);
  hScroll1_->setObjectName("HScroll1");
  PlaceTwips(hScroll1_, 120, 7545, 9330, 255);
  vScroll1_ = new ScrollBar(Qt::Vertical, this);
  vScroll1_->setObjectName("VScroll1");
  PlaceTwips(vScroll1_, 9450, 120, 255, 7425);

  picture2_ = new QFrame(this);
  picture2_->setObjectName("Picture2");
  picture2_->setFrameStyle(QFrame::Box | QFrame::Plain);
  picture2_->setLineWidth(1);
  QPalette white = picture2_->palette();
  white.setColor(QPalette::Window, Qt::white);
  picture2_->setPalette(white);
  picture2_->setAutoFillBackground(true);
  PlaceTwips(picture2_, 120, 120, PreviewGeometry::kViewportOuterWidth, PreviewGeometry::kViewportOuterHeight);
  // The picture moves inside the border, clipped to the viewport's inner area.
  viewportInside_ = new QWidget(picture2_);
  viewportInside_->setGeometry(picture2_->contentsRect());
  picture1_ = new PictureBox(viewportInside_);
  picture1_->setObjectName("Picture1");
  picture1_->onPress = [this](QPointF p) { Picture1_MouseDown(p); };
  picture1_->onMove = [this](bool pressed, QPointF p) { Picture1_MouseMove(pressed, p); };
  picture1_->onRelease = [this] { Picture1_MouseUp(); };

  frame1_ = new QGroupBox("Zoom:", this);
  frame1_->setObjectName("Frame1");
  PlaceTwips(frame1_, 120, 7860, 9600, 855);
  pushButton1_ = CreateButton("PushButton1", "Zoom In", frame1_, 240, 300, 4440);
  pushButton2_ = CreateButton("PushButton2", "Zoom Out", frame1_, 4800, 300, 4560);
  pushButton8_ = CreateButton("PushButton8", "< Back", this, 120, 8850, 4680);
  pushButton6_ = CreateButton("PushButton6", "Save Results To Excel File", this, 4920, 8850, 4800);

  // The keyboard order; the picture controls and the frame take no focus.
  setTabOrder(hScroll1_, vScroll1_);
  setTabOrder(vScroll1_, pushButton1_);
  setTabOrder(pushButton1_, pushButton2_);
  setTabOrder(pushButton2_, pushButton6_);
  setTabOrder(pushButton6_, pushButton8_);
  frame1_->setMouseTracking(true);
  frame1_->installEventFilter(this);

  connect(pushButton1_, &QPushButton::clicked, this, [this] { PushButton1_Click(); });
  connect(pushButton2_, &QPushButton::clicked, this, [this] { PushButton2_Click(); });
  connect(pushButton6_, &QPushButton::clicked, this, [this] { PushButton6_Click(); });
  connect(pushButton8_, &QPushButton::clicked, this, [this] { PushButton8_Click(); });
  connect(hScroll1_, &QScrollBar::valueChanged, this, [this](int v) { HScroll1_Change(v); });
  connect(vScroll1_, &QScrollBar::valueChanged, this, [this](int v) { VScroll1_Change(v); });
}

QPushButton* Form2::CreateButton(const char* name, const char* caption, QWidget* parent, int left, int top, int width) {
  QPushButton* button = NewCommandButton(name, caption, parent);
  PlaceTwips(button, left, top, width, kButtonHeight);
  button->installEventFilter(this);
  return button;
}

void Form2::Form_Load() {
  ErrorTrap trap(dialogs_, location::kForm2FormLoad);
  trap.Run(100, [&] { geometry_.RequestSetup(); });
  trap.Run(102, [&] { ApplyFaceColors(this, frame1_); });
  trap.Run(104, [&] { setWindowTitle(kApplicationTitle); });
  const std::string cursorFile = programFolder_ + "/" + kHandCursorFile;
  handCursor_ = QCursor(Qt::PointingHandCursor);
  if (trap.Test(108, [&] { return files_.Exists(cursorFile); }))
    trap.Run(110, [&] { handCursor_ = LoadCursorFile(QString::fromStdString(cursorFile)); });
}

void Form2::LoadPicture(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  QImage image = path.empty() ? QImage() : ReadPicture(reader);
  if (image.isNull()) {
    // No picture leaves the control empty at its design size, never the previous
    // report's picture.
    loaded_ = QImage();
    picture1_->SetImage(QImage());
    geometry_.PictureLoaded(PreviewGeometry::kDesignPictureWidth, PreviewGeometry::kDesignPictureHeight);
    PlaceControls();
    if (path.empty()) throw std::runtime_error("No picture of the sheet was made");
    throw std::runtime_error("Cannot load the picture " + path + ": " + reader.errorString().toStdString());
  }
  loaded_ = PrepareUnscaled(image);
  picture1_->SetImage(loaded_);
  geometry_.PictureLoaded(loaded_.width() * kTwipsPerPixel, loaded_.height() * kTwipsPerPixel);
  PlaceControls();
}

void Form2::SetExcelFile(const std::string& path) {
  mExcelFile = path;
  geometry_.RequestSetup();
}

void Form2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!centred_ && screen()) {
    move(screen()->availableGeometry().center() - rect().center());
    centred_ = true;
  }
  Form_Activate();
}

void Form2::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

// Sets up the window for the report handed over last; later activations of the same
// report keep zoom and position.
void Form2::Form_Activate() {
  ErrorTrap trap(dialogs_, location::kForm2FormActivate);
  if (geometry_.NeedsSetup()) {
    trap.Run(122, [&] {
      zoomOri_ = loaded_;
      geometry_.CopyToZoomOri();
    });
    trap.Run(124, [&] { geometry_.ResetZoom(); });
    trap.Run(134, [&] { geometry_.RedrawImage(); });
    trap.Run(136, [&] { geometry_.SetupScrollbars(); });
  }
  trap.Run(138, [&] { geometry_.FinishSetup(); });
  PlaceControls();
}

void Form2::DrawPicture(int zoomWidth, int zoomHeight) {
  ErrorTrap trap(dialogs_, location::kForm2RedrawImage);
  trap.Run(106, [&] { picture1_->SetImage(QImage()); });
  trap.Run(112, [&] { picture1_->SetImage(DrawZoomed(zoomOri_, zoomWidth, zoomHeight)); });
}

void Form2::PointerToDefault() { SetPointer(PointerKind::Default); }

void Form2::PushButton1_Click() {
  ErrorTrap trap(dialogs_, location::kForm2PushButton1Click);
  trap.Run(100, [&] { geometry_.ZoomStep(false); });
  PlaceControls();
}

void Form2::PushButton2_Click() {
  ErrorTrap trap(dialogs_, location::kForm2PushButton2Click);
  trap.Run(100, [&] { geometry_.ZoomStep(true); });
  PlaceControls();
}

void Form2::HScroll1_Change(int value) {
  geometry_.SetHScrollValue(value);
  PlaceControls();
}

void Form2::VScroll1_Change(int value) {
  geometry_.SetVScrollValue(value);
  PlaceControls();
}

void Form2::SetHScrollbarByPercent(int percent) {
  geometry_.SetHScrollbarByPercent(percent);
  PlaceControls();
}

void Form2::SetVScrollbarByPercent(int percent) {
  geometry_.SetVScrollbarByPercent(percent);
  PlaceControls();
}

void Form2::Picture1_MouseDown(QPointF position) {
  ErrorTrap trap(dialogs_, location::kForm2Picture1MouseDown);
  trap.Run(100, [&] { geometry_.MouseDown(ToTwips(position.x()), ToTwips(position.y())); });
}

void Form2::Picture1_MouseMove(bool pressed, QPointF position) {
  ErrorTrap trap(dialogs_, location::kForm2Picture1MouseMove);
  trap.Run(104, [&] { geometry_.MouseMove(pressed, ToTwips(position.x()), ToTwips(position.y())); });
  if (pressed) PlaceControls();
}

// The bars follow the picture; each is set on its own, so one that fails leaves the other
// to follow.
void Form2::Picture1_MouseUp() {
  ErrorTrap trap(dialogs_, location::kForm2Picture1MouseUp);
  std::optional<int> horizontal;
  std::optional<int> vertical;
  trap.Run(100, [&] { horizontal = geometry_.HorizontalReleasePercent(); });
  trap.Run(102, [&] { vertical = geometry_.VerticalReleasePercent(); });
  if (horizontal) trap.Run(104, [&] { SetHScrollbarByPercent(*horizontal); });
  if (vertical) trap.Run(106, [&] { SetVScrollbarByPercent(*vertical); });
}

// Shows the geometry: the picture's size and place, and the bars' range, value and state.
// The bars do not report these changes back as user changes.
void Form2::PlaceControls() {
  picture1_->setGeometry(TwipsToPixels(geometry_.PictureLeft()), TwipsToPixels(geometry_.PictureTop()),
                         TwipsToPixels(geometry_.PictureWidth()), TwipsToPixels(geometry_.PictureHeight()));
  const auto show = [](QScrollBar* bar, const ScrollBarState& state, int step, int viewport) {
    const QSignalBlocker blocker(bar);
    // A disabled bar keeps its range in the geometry but shows none, so it draws no thumb.
    bar->setRange(0, state.enabled ? state.max : 0);
    bar->setValue(state.value);
    bar->setEnabled(state.enabled);
    bar->setSingleStep(step > 0 ? std::max(1, kArrowStepTwips / step) : 1);
    bar->setPageStep(step > 0 ? std::max(1, viewport / step) : 1);
  };
  show(hScroll1_, geometry_.HScroll(), geometry_.HStep(), PreviewGeometry::kViewportInnerWidth);
  show(vScroll1_, geometry_.VScroll(), geometry_.VStep(), PreviewGeometry::kViewportInnerHeight);
}

void Form2::SetPointer(PointerKind kind) {
  pointerKind_ = kind;
  if (kind == PointerKind::Busy) {
    setCursor(Qt::WaitCursor);
  } else if (kind == PointerKind::Custom) {
    setCursor(handCursor_);
  } else {
    unsetCursor();
  }
}

// Over a push button the hand, over the window's background or the zoom frame the arrow;
// the picture and the bars leave the pointer as it is, and a busy pointer stays.
void Form2::PointerForMoveAt(QPointF globalPosition) {
  if (pointerKind_ == PointerKind::Busy) return;
  QWidget* under = childAt(mapFromGlobal(globalPosition.toPoint()));
  if (under == pushButton1_ || under == pushButton2_ || under == pushButton6_ || under == pushButton8_) {
    SetPointer(PointerKind::Custom);
  } else if (under == nullptr || under == frame1_) {
    SetPointer(PointerKind::Default);
  }
}

void Form2::mouseMoveEvent(QMouseEvent* event) {
  PointerForMoveAt(event->globalPosition());
  QWidget::mouseMoveEvent(event);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) PointerForMoveAt(static_cast<QMouseEvent*>(event)->globalPosition());
  return QWidget::eventFilter(watched, event);
}

// Saves a copy of the report's workbook in the format of the file type chosen: the .xls
// under exactly the name given, an .xlsx or PDF with its extension added when missing.
void Form2::PushButton6_Click() {
  ErrorTrap trap(dialogs_, location::kForm2PushButton6Click);
  SaveChoice choice;
  trap.Run(112, [&] { choice = dialogs_.SaveFileName("Save File", CopyFileTypes()); });
  if (choice.path.empty()) return;  // cancelled
  const auto [target, format] = TargetOfChoice(choice);
  if (trap.Test(118, [&] { return files_.Exists(target); })) {
    MessageAnswer answer = MessageAnswer::No;
    trap.Run(120, [&] {
      answer = dialogs_.Message("Are you sure you wish to overwrite " + target + " ?", kApplicationTitle,
                                MessageButtons::YesNo, MessageIcon::None);
    });
    if (answer != MessageAnswer::Yes) return;
    // The existing file is not deleted first: the copy replaces it in one step, so a copy
    // that fails leaves it whole.
  }
  if (!trap.Run(130, [&] {
        if (mExcelFile.empty())
          throw std::runtime_error("There is no workbook to save: the report's workbook was not made");
        SaveReportCopy(factory_, files_, mExcelFile, target, format);
      }))
    return;
  trap.Run(132, [&] { dialogs_.Message("Done.", kApplicationTitle, MessageButtons::Ok, MessageIcon::None); });
}

void Form2::PushButton8_Click() {
  ErrorTrap trap(dialogs_, location::kForm2PushButton8Click);
  trap.Run(102, [&] { RemoveFile(files_, mExcelFile, [] { QCoreApplication::processEvents(); }); });
  trap.Run(104, [&] {
    if (callbacks_.showMainWindow) callbacks_.showMainWindow();
  });
  trap.Run(106, [&] { hide(); });
}

void Form2::closeEvent(QCloseEvent* event) {
  Form_QueryUnload();
  event->accept();
}

// Closing ends the program, after removing the temporary workbook and storing the
// settings and template exactly as closing the main window would, so no edit of this run
// is lost.
void Form2::Form_QueryUnload() {
  ErrorTrap trap(dialogs_, location::kForm2FormQueryUnload);
  trap.Run(100, [&] { RemoveFile(files_, mExcelFile, [] { QCoreApplication::processEvents(); }); });
  trap.Run(102, [&] { QCoreApplication::processEvents(); });
  trap.Run(104, [&] { QCoreApplication::processEvents(); });
  trap.Run(106, [&] {
    if (callbacks_.storeSettings) callbacks_.storeSettings();
  });
  trap.Run(108, [&] {
    if (callbacks_.endProgram) callbacks_.endProgram();
  });
}

}  // namespace tallowmere
