// The main window as a desktop user meets it: white frames, option buttons and labels,
// buttons pressed from the keyboard, controls that tell a screen reader what they hold,
// and a list that shows whole rows.

#include <QAccessible>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "form1_fixture.h"
#include "support/qt/key_clicks.h"

namespace tallowmere::testing {
namespace {

TEST_F(Form1Test, FramesOptionButtonsAndLabelsAreWhite) {
  Form1& window = Loaded();
  const QImage shown = window.grab().toImage();
  // An empty spot inside each frame, and the far corner of each option button and label,
  // where no text or mark is drawn: that many pixels in from the bottom right.
  const std::pair<const char*, int> spots[] = {{"Frame1", 10}, {"Frame4", 10}, {"Frame6", 10}, {"Option1", 1},
                                               {"Option2", 1}, {"Option3", 1}, {"Label2", 1},  {"Label3", 1}};
  for (const auto& [name, inset] : spots) {
    const QWidget* control = window.findChild<QWidget*>(name);
    const QPoint spot = control->mapTo(&window, QPoint(control->width() - inset, control->height() - inset));
    EXPECT_EQ(shown.pixelColor(spot), QColor(Qt::white)) << name;
  }
}

TEST_F(Form1Test, ReturnAndEnterPressTheFocusedButton) {
  Form1& window = Loaded();
  window.show();
  const QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
  EXPECT_EQ(buttons.size(), 8);  // the seven of the design and the amounts window's
  for (QPushButton* button : buttons) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
      EXPECT_EQ(ClicksFromKey(button, key), 1) << button->objectName().toStdString() << ", key " << key;
      for (QDialog* opened : window.findChildren<QDialog*>()) opened->reject();
    }
    window.show();  // the Start command hands over to the preview and hides the window
  }
}

TEST_F(Form1Test, EveryFieldAndTheListTellAScreenReaderWhatTheyHold) {
  Form1& window = Loaded();
  const struct {
    const char* control;
    const char* name;
  } cases[] = {{"Text1", "Company name"},       {"Text6", "By Month first year"}, {"Text7", "By Month last year"},
               {"Text2", "By Year first year"}, {"Text3", "By Year last year"},   {"Text4", "By Week number of weeks"},
               {"List1", "Template items"}};
  for (const auto& c : cases) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(c.control));
    ASSERT_NE(control, nullptr) << c.control;
    EXPECT_EQ(control->text(QAccessible::Name).toStdString(), c.name) << c.control;
  }
}

// The list's design height, 2085 twips, is no whole number of rows of the window's font
// (nine and most of a tenth); the list shows the whole ones only, in any font.
TEST_F(Form1Test, ListShowsWholeRowsOnly) {
  Form1& window = Loaded();
  auto* list = window.findChild<QListWidget*>("List1");
  const int designHeight = 2085 / 15;
  for (qreal points : {9.0, 12.0, 20.0}) {
    QFont font = list->font();
    font.setPointSizeF(points);
    list->setFont(font);
    const int row = list->sizeHintForRow(0);
    const int visible = list->height() - 2 * list->frameWidth();
    EXPECT_EQ(visible % row, 0) << points << " pt: " << visible << " pixels for rows of " << row;
    EXPECT_LE(list->height(), designHeight) << points << " pt";
    EXPECT_GT(list->height() + row, designHeight) << points << " pt";
  }
}

}  // namespace
}  // namespace tallowmere::testing
