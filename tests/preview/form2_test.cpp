// The preview window on the offscreen platform: hand-over of reports, save, back and close.
#include "preview/form2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "platform/error_report.h"
#include "platform/widgets/hand_cursor.h"
#include "support/qt/key_clicks.h"
#include "support/recording_application.h"
#include "support/scripted_dialogs.h"

namespace tallowmere {
namespace {

namespace fs = std::filesystem;
using testing::ClicksFromKey;
using testing::RecordingFactory;
using testing::ScriptedDialogs;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

class Form2Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    Make();
  }

  // A new preview window whose program folder is the test's folder.
  template <typename Window = Form2>
  void Make() {
    Form2::Callbacks callbacks;
    callbacks.showMainWindow = [this] { calls.push_back("showMainWindow"); };
    callbacks.storeSettings = [this] { calls.push_back("storeSettings"); };
    callbacks.endProgram = [this] { calls.push_back("endProgram"); };
    form.reset();
    form = std::make_unique<Window>(Form2Services{dialogs, LocalFileSystem(), factory, dir.path().toStdString()},
                                    callbacks);
  }

  std::string Path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

  std::string Picture(const std::string& name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const std::string path = Path(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
    return path;
  }

  // What the report driver does: picture, workbook, show.
  std::string HandOver(const std::string& name, int width, int height) {
    const std::string workbook = Path(name + ".xls");
    WriteAll(workbook, "workbook " + name);
    form->LoadPicture(Picture(name + ".bmp", width, height));
    form->SetExcelFile(workbook);
    form->show();
    return workbook;
  }

  QPushButton* Button(const char* name) { return form->findChild<QPushButton*>(name); }
  QWidget* Child(const char* name) { return form->findChild<QWidget*>(name); }

  void MouseMoveOver(QWidget* widget) {
    const QPointF local(3, 3);
    QMouseEvent move(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
  }

  void Mouse(QEvent::Type type, QPointF local, Qt::MouseButton button, Qt::MouseButtons held) {
    QWidget* picture = Child("Picture1");
    QMouseEvent event(type, local, picture->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(picture, &event);
  }

  // A key pressed where the keyboard focus is; the name of the control that has it then.
  std::string Press(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(form->focusWidget(), &press);
    return form->focusWidget()->objectName().toStdString();
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  RecordingFactory factory;
  std::vector<std::string> calls;
  std::unique_ptr<Form2> form;
};

TEST_F(Form2Test, SecondReportAfterBackStartsAtZoomOneWithTheNewPicture) {
  const std::string first = HandOver("first", 800, 600);
  auto* picture = Child("Picture1");
  EXPECT_EQ(picture->size(), QSize(800, 600));
  Button("PushButton1")->click();
  Button("PushButton1")->click();
  EXPECT_FLOAT_EQ(form->Geometry().Zoom(), 1.5f);
  EXPECT_EQ(picture->size(), QSize(1200, 900));
  form->findChild<QScrollBar*>("HScroll1")->setValue(20);
  EXPECT_EQ(picture->x(), -13) << "value 20, step 10: 200 twips";

  form->hide();
  form->show();  // activating the same report again keeps zoom and position
  EXPECT_FLOAT_EQ(form->Geometry().Zoom(), 1.5f);
  EXPECT_EQ(picture->x(), -13);

  Button("PushButton8")->click();
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(calls, std::vector<std::string>{"showMainWindow"});
  EXPECT_FALSE(form->isVisible());

  HandOver("second", 300, 200);
  EXPECT_FLOAT_EQ(form->Geometry().Zoom(), 1.0f);
  EXPECT_EQ(picture->pos(), QPoint(0, 0));
  EXPECT_EQ(picture->size(), QSize(300, 200));
  EXPECT_FALSE(form->findChild<QScrollBar*>("HScroll1")->isEnabled());
  Button("PushButton1")->click();
  EXPECT_EQ(picture->size(), QSize(375, 250));
  EXPECT_TRUE(dialogs.messages.empty());
}

// The image reader's allocation limit may lie below a large sheet's picture; the preview
// shows it all the same and leaves the limit as it found it.
TEST_F(Form2Test, PicturesAboveTheReadersAllocationLimitAreShown) {
  const int limitBefore = QImageReader::allocationLimit();
  const struct { int limitMegabytes, width, height; } cases[] = {{1, 1000, 600}, {2, 600, 1500}, {0, 300, 200}};
  for (const auto& c : cases) {
    QImageReader::setAllocationLimit(c.limitMegabytes);
    EXPECT_NO_THROW(HandOver("large", c.width, c.height)) << c.width;
    EXPECT_EQ(Child("Picture1")->size(), QSize(c.width, c.height));
    EXPECT_EQ(QImageReader::allocationLimit(), c.limitMegabytes);
  }
  QImageReader::setAllocationLimit(limitBefore);
  EXPECT_TRUE(dialogs.messages.empty());
}

// A disabled bar looks like a bar with nowhere to go: no thumb, whatever range it had.
TEST_F(Form2Test, DisabledBarsDrawNoThumb) {
  HandOver("wide", 1200, 900);  // both bars enabled at zoom 1
  const auto look = [](QWidget* widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); };
  for (const char* name : {"HScroll1", "VScroll1"}) {
    auto* bar = form->findChild<QScrollBar*>(name);
    QScrollBar empty(bar->orientation());
    empty.resize(bar->size());
    empty.setRange(0, 0);
    empty.setEnabled(false);
    const QImage withoutThumb = look(&empty);
    EXPECT_NE(look(bar), withoutThumb) << name << " at zoom 1 shows its thumb";
    for (int click = 1; click <= 3; ++click) {
      Button("PushButton2")->click();
      if (click == 1) continue;  // zoom 0.75: 900 x 675 still exceeds the viewport
      EXPECT_FALSE(bar->isEnabled()) << name << " " << click;
      EXPECT_EQ(look(bar), withoutThumb) << name << " at zoom " << form->Geometry().Zoom();
    }
    for (int click = 1; click <= 3; ++click) Button("PushButton1")->click();
  }
}

TEST_F(Form2Test, UnreadablePictureLeavesAnEmptyAreaAtDesignSize) {
  HandOver("first", 400, 300);
  EXPECT_THROW(form->LoadPicture(Path("missing.bmp")), std::runtime_error);
  form->SetExcelFile(Path("second.xls"));
  form->hide();
  form->show();
  EXPECT_EQ(Child("Picture1")->size(), QSize(156, 229));
  Button("PushButton2")->click();
  EXPECT_FLOAT_EQ(form->Geometry().Zoom(), 0.75f);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Form2Test, DraggingWithAnyButtonMovesThePictureAndTheBarsFollowAtRelease) {
  HandOver("report", 1400, 1000);  // 20998 x 14998 twips
  auto* picture = Child("Picture1");
  Mouse(QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
  Mouse(QEvent::MouseMove, {-300, 100}, Qt::NoButton, Qt::RightButton);
  EXPECT_EQ(picture->x(), -400);
  EXPECT_EQ(form->findChild<QScrollBar*>("HScroll1")->value(), 0);
  Mouse(QEvent::MouseButtonRelease, {-300, 100}, Qt::RightButton, Qt::NoButton);
  // 6000 of 11668 twips is 51 %: bar value 595 of 1167, the picture at -5950 twips.
  EXPECT_EQ(form->findChild<QScrollBar*>("HScroll1")->value(), 595);
  EXPECT_EQ(picture->x(), -397);
}

TEST_F(Form2Test, TabVisitsTheBarsAndButtonsInTheirKeyboardOrder) {
  HandOver("report", 1400, 1000);  // both bars enabled
  form->findChild<QScrollBar*>("HScroll1")->setFocus(Qt::OtherFocusReason);
  std::vector<std::string> visited;
  for (int i = 0; i < 6; ++i) visited.push_back(Press(Qt::Key_Tab));
  EXPECT_EQ(visited, (std::vector<std::string>{"VScroll1", "PushButton1", "PushButton2", "PushButton6", "PushButton8",
                                               "HScroll1"}));
}

TEST_F(Form2Test, ArrowAndPageKeysOnAFocusedBarMoveThePicture) {
  HandOver("report", 1400, 1000);  // bars of 1167 and 757 units of 10 twips
  const struct {
    const char* bar;
    int from;
    Qt::Key key;
    int to;
  } cases[] = {{"HScroll1", 0, Qt::Key_Right, 30},     {"HScroll1", 100, Qt::Key_Left, 70},
               {"HScroll1", 0, Qt::Key_PageDown, 930}, {"HScroll1", 0, Qt::Key_End, 1167},
               {"VScroll1", 100, Qt::Key_Up, 70},      {"VScroll1", 0, Qt::Key_PageDown, 739}};
  for (const auto& c : cases) {
    auto* bar = form->findChild<QScrollBar*>(c.bar);
    bar->setValue(c.from);
    bar->setFocus(Qt::TabFocusReason);
    Press(c.key);
    EXPECT_EQ(bar->value(), c.to) << c.bar << " from " << c.from << ", key " << c.key;
    const bool horizontal = bar->orientation() == Qt::Horizontal;
    EXPECT_EQ(horizontal ? form->Geometry().PictureLeft() : form->Geometry().PictureTop(), -10.0 * c.to);
  }
  EXPECT_EQ(Child("Picture1")->pos(), QPoint(-778, -493));
}

TEST_F(Form2Test, ReturnAndEnterPressTheFocusedButton) {
  for (const char* name : {"PushButton1", "PushButton2", "PushButton6", "PushButton8"}) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
      HandOver("report", 400, 300);  // "< Back" hides the window
      EXPECT_EQ(ClicksFromKey(Button(name), key), 1) << name << ", key " << key;
    }
  }
}

// A preview whose horizontal bar refuses every value it is given.
class RefusingHorizontalBar : public Form2 {
 public:
  using Form2::Form2;
  void SetHScrollbarByPercent(int) override { throw std::runtime_error("Invalid property value"); }
};

TEST_F(Form2Test, VerticalBarFollowsTheReleaseWhenTheHorizontalOneFails) {
  Make<RefusingHorizontalBar>();
  HandOver("report", 1400, 1000);  // 20998 x 14998 twips
  Mouse(QEvent::MouseButtonPress, {100, 300}, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, {-300, 100}, Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, {-300, 100}, Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, ErrorReportText(location::kForm2Picture1MouseUp, 104, "Invalid property value"));
  EXPECT_EQ(form->findChild<QScrollBar*>("HScroll1")->value(), 0);
  // 3000 of 7573 twips is 40 %: bar value 303 of 757, the picture at -3030 twips.
  EXPECT_EQ(form->findChild<QScrollBar*>("VScroll1")->value(), 303);
  EXPECT_EQ(Child("Picture1")->y(), -202);
}

TEST_F(Form2Test, PointerIsTheHandOverButtonsAndTheArrowOverTheFrame) {
  HandOver("report", 100, 100);
  MouseMoveOver(Button("PushButton6"));
  EXPECT_EQ(form->Pointer(), PointerKind::Custom);
  MouseMoveOver(Child("Picture1"));
  EXPECT_EQ(form->Pointer(), PointerKind::Custom) << "the picture leaves the pointer alone";
  MouseMoveOver(Child("Frame1"));
  EXPECT_EQ(form->Pointer(), PointerKind::Default);
  form->SetPointer(PointerKind::Busy);
  MouseMoveOver(Button("PushButton1"));
  EXPECT_EQ(form->Pointer(), PointerKind::Busy);
}

TEST_F(Form2Test, UnreadablePointerFileIsReportedAndTheHandStays) {
  HandOver("report", 100, 100);  // no pointer file: nothing said
  MouseMoveOver(Button("PushButton6"));
  EXPECT_EQ(form->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(dialogs.messages.empty());

  const std::string cursorFile = Path(kHandCursorFile);
  WriteAll(cursorFile, "not a cursor");
  Make();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            ErrorReportText(location::kForm2FormLoad, 110,
                            "Cannot load the pointer image " + cursorFile + ": not a cursor file"));
  HandOver("report", 100, 100);
  MouseMoveOver(Button("PushButton6"));
  EXPECT_EQ(form->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(Form2Test, SavingCopiesTheWorkbookToExactlyTheChosenName) {
  const std::string workbook = HandOver("report", 100, 100);
  Button("PushButton6")->click();  // cancelled: nothing written, nothing said
  EXPECT_EQ(dialogs.saveDialogs.at(0),
            "Save File|Excel Files (*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx|PDF (*.pdf)|*.pdf");
  EXPECT_TRUE(dialogs.messages.empty());

  const std::string target = Path("report");  // typed without an extension
  dialogs.saveNames = {target, Path("second copy.xls")};
  Button("PushButton6")->click();
  Button("PushButton6")->click();
  EXPECT_EQ(ReadAll(target), "workbook report");
  EXPECT_EQ(ReadAll(Path("second copy.xls")), "workbook report");
  EXPECT_TRUE(fs::exists(workbook)) << "the temporary workbook stays for further copies";
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].text, "Done.");
  EXPECT_EQ(dialogs.messages[0].title, "Tallowmere");
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
}

// The .xlsx and PDF copies are saved from the workbook opened in a new instance, under the
// name given with the format's extension added when it is missing.
TEST_F(Form2Test, OtherFormatsAreSavedThroughTheSpreadsheetApplication) {
  const std::string workbook = HandOver("report", 100, 100);
  dialogs.saveNames = {Path("plan"), Path("plan.PDF")};
  dialogs.saveTypes = {1, 2};
  Button("PushButton6")->click();
  Button("PushButton6")->click();
  const std::vector<std::string> expected{"CreateObject",
                                          "Workbooks.Open(" + workbook + ")",
                                          "Workbook.SaveAs(" + Path("plan.xlsx") + ",51)",
                                          "Workbook.Close",
                                          "Quit",
                                          "CreateObject",
                                          "Workbooks.Open(" + workbook + ")",
                                          "Workbook.ExportAsFixedFormat(0," + Path("plan.PDF") + ")",
                                          "Workbook.Close",
                                          "Quit"};
  EXPECT_EQ(factory.log.calls, expected);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].text, "Done.");
}

// A name ending in a known extension is saved in that format whatever type is chosen;
// the chosen type decides for other names.
TEST_F(Form2Test, TypedExtensionDecidesTheFormat) {
  const std::string workbook = HandOver("report", 100, 100);
  const struct {
    const char* typed;
    size_t type;
    const char* written;  // the engine's call, or empty for a byte copy
    const char* target;
  } cases[] = {
      {"a.xlsx", 0, "Workbook.SaveAs(%,51)", "a.xlsx"},
      {"b.Pdf", 0, "Workbook.ExportAsFixedFormat(0,%)", "b.Pdf"},
      {"c.XLS", 1, "", "c.XLS"},
      {"d.pdf", 1, "Workbook.ExportAsFixedFormat(0,%)", "d.pdf"},
      {"e.txt", 1, "Workbook.SaveAs(%,51)", "e.txt.xlsx"},
      {"f", 0, "", "f"},
  };
  for (const auto& c : cases) {
    factory.log.calls.clear();
    dialogs.saveNames = {Path(c.typed)};
    dialogs.saveTypes = {c.type};
    Button("PushButton6")->click();
    const std::string target = Path(c.target);
    if (*c.written == 0) {
      EXPECT_TRUE(factory.log.calls.empty()) << c.typed;
      EXPECT_EQ(ReadAll(target), "workbook report") << c.typed;
    } else {
      std::string call = c.written;
      call.replace(call.find('%'), 1, target);
      EXPECT_NE(std::find(factory.log.calls.begin(), factory.log.calls.end(), call), factory.log.calls.end())
          << c.typed;
    }
  }
}

TEST_F(Form2Test, ExistingTargetIsOverwrittenOnlyAfterYes) {
  HandOver("report", 100, 100);
  const std::string target = Path("saved.xls");
  WriteAll(target, "older");
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);

  dialogs.saveNames = {target};
  dialogs.answers = {MessageAnswer::No};
  Button("PushButton6")->click();
  EXPECT_EQ(ReadAll(target), "older");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Are you sure you wish to overwrite " + target + " ?");
  EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);

  dialogs.saveNames = {target};
  dialogs.answers = {MessageAnswer::Yes};
  Button("PushButton6")->click();
  EXPECT_EQ(ReadAll(target), "workbook report");
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(dialogs.messages[2].text, "Done.");
}

TEST_F(Form2Test, FailedCopyIsReportedLeavesTheOldFileAndSaysNoDone) {
  const std::string workbook = HandOver("report", 100, 100);
  const std::string target = Path("saved.xls");
  WriteAll(target, "older");
  fs::remove(workbook);  // the temporary workbook has gone

  dialogs.saveNames = {target, Path("no such folder/copy.xls")};
  dialogs.answers = {MessageAnswer::Yes};
  Button("PushButton6")->click();
  EXPECT_EQ(ReadAll(target), "older");
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].title, "Application Error");
  EXPECT_NE(dialogs.messages[1].text.find("Form2.PushButton6_Click at line 130"), std::string::npos);

  WriteAll(workbook, "workbook again");
  Button("PushButton6")->click();  // into a folder that does not exist
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(dialogs.messages[2].title, "Application Error");
}

TEST_F(Form2Test, BackAfterTheWorkbookVanishedStillShowsTheMainWindow) {
  const std::string workbook = HandOver("report", 100, 100);
  fs::remove(workbook);
  Button("PushButton8")->click();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(calls, std::vector<std::string>{"showMainWindow"});
  EXPECT_FALSE(form->isVisible());
}

TEST_F(Form2Test, ClosingRemovesTheWorkbookStoresTheSettingsThenEndsTheProgram) {
  const std::string workbook = HandOver("report", 100, 100);
  fs::permissions(workbook, fs::perms::owner_read);
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(fs::exists(workbook));
  EXPECT_EQ(calls, (std::vector<std::string>{"storeSettings", "endProgram"}));
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace tallowmere
