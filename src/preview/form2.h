#pragma once
// The preview window: the picture of the generated sheet with zoom, scroll bars and drag
// panning, saving a copy of the temporary workbook, going back to the main window, and
// closing, which ends the program.

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "automation/automation.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/pointer_kind.h"
#include "preview/preview_geometry.h"

class QFrame;
class QGroupBox;
class QPushButton;
class QScrollBar;

namespace tallowmere {

// How the error report names the preview window's procedures.
namespace location {
inline constexpr std::string_view kForm2FormActivate = "in Brindlecast2021/08/31.Form2.Form_Activate ";
inline constexpr std::string_view kForm2FormLoad = "in Brindlecast2021/08/31.Form2.Form_Load ";
inline constexpr std::string_view kForm2FormQueryUnload = "in Brindlecast2021/08/31.Form2.Form_QueryUnload ";
inline constexpr std::string_view kForm2PushButton1Click = "in Brindlecast2021/08/31.Form2.PushButton1_Click ";
inline constexpr std::string_view kForm2PushButton2Click = "in Brindlecast2021/08/31.Form2.PushButton2_Click ";
inline constexpr std::string_view kForm2PushButton6Click = "in Brindlecast2021/08/31.Form2.PushButton6_Click ";
inline constexpr std::string_view kForm2PushButton8Click = "in Brindlecast2021/08/31.Form2.PushButton8_Click ";
inline constexpr std::string_view kForm2Picture1MouseDown = "in Brindlecast2021/08/31.Form2.picture1_MouseDown ";
inline constexpr std::string_view kForm2Picture1MouseMove = "in Brindlecast2021/08/31.Form2.picture1_MouseMove ";
inline constexpr std::string_view kForm2Picture1MouseUp = "in Brindlecast2021/08/31.Form2.Picture1_MouseUp ";
inline constexpr std::string_view kForm2RedrawImage = "in Brindlecast2021/08/31.Form2.RedrawImage ";
}  // namespace location

class PictureBox;

// What the preview window works with; the program's main (or a test) provides it.
struct Form2Services {
  Dialogs& dialogs;
  FileSystem& files;            // saves copies, removes the temporary workbook
  ApplicationFactory& factory;  // makes the .xlsx and PDF copies from the workbook
  std::string programFolder;    // where the optional hand pointer "HAND-M.CUR" is looked for
};

class Form2 : public QWidget, private PreviewGeometry::Viewport {
 public:
  struct Callbacks {
    std::function<void()> showMainWindow;  // "< Back"
    std::function<void()> storeSettings;   // before closing ends the program
    std::function<void()> endProgram;
  };

  Form2(Form2Services services, Callbacks callbacks, QWidget* parent = nullptr);

  // Loads the report's picture; the next activation shows it at zoom 1.0. Throws
  // std::runtime_error when path is empty (no picture was made) or the file cannot be
  // read: the picture is then empty.
  void LoadPicture(const std::string& path);
  // The temporary workbook of the report on show; a new one is set up at the next activation.
  void SetExcelFile(const std::string& path);
  std::string ExcelFile() const { return mExcelFile; }

  // Sets a bar to percent of its range (negative: left alone; above 100: its end).
  // Virtual, so that a bar refusing its value can stand in for the real one.
  virtual void SetHScrollbarByPercent(int percent);
  virtual void SetVScrollbarByPercent(int percent);

  // The window-wide pointer: PointerKind::Default, PointerKind::Busy or PointerKind::Custom.
  void SetPointer(PointerKind kind);
  PointerKind Pointer() const { return pointerKind_; }

  const PreviewGeometry& Geometry() const { return geometry_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  QPushButton* CreateButton(const char* name, const char* caption, QWidget* parent, int left, int top, int width);
  void Form_Load();
  void Form_Activate();
  void Form_QueryUnload();
  void PushButton1_Click();
  void PushButton2_Click();
  void PushButton6_Click();
  void PushButton8_Click();
  void Picture1_MouseDown(QPointF position);
  void Picture1_MouseMove(bool pressed, QPointF position);
  void Picture1_MouseUp();
  void HScroll1_Change(int value);
  void VScroll1_Change(int value);
  void PlaceControls();
  void PointerForMoveAt(QPointF globalPosition);

  // Viewport
  void DrawPicture(int zoomWidth, int zoomHeight) override;
  void PointerToDefault() override;

  Dialogs& dialogs_;
  FileSystem& files_;
  ApplicationFactory& factory_;
  Callbacks callbacks_;
  std::string programFolder_;
  PreviewGeometry geometry_{this};
  std::string mExcelFile;
  QImage loaded_;   // the picture as the report handed it over
  QImage zoomOri_;  // unscaled copy every zoom level is drawn from
  PointerKind pointerKind_ = PointerKind::Default;
  QCursor handCursor_;
  bool centred_ = false;

  QFrame* picture2_ = nullptr;
  QWidget* viewportInside_ = nullptr;
  PictureBox* picture1_ = nullptr;
  QScrollBar* hScroll1_ = nullptr;
  QScrollBar* vScroll1_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QPushButton* pushButton1_ = nullptr;
  QPushButton* pushButton2_ = nullptr;
  QPushButton* pushButton6_ = nullptr;
  QPushButton* pushButton8_ = nullptr;
};

}  // namespace tallowmere
