// Dialogs shown with Qt, answered by a timer that acts on the open modal box.
#include "platform/widgets/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/template_model.h"

namespace tallowmere {
namespace {

// Runs act on the modal widget of type T once it is open.
template <typename T>
void WhenOpen(std::function<void(T*)> act) {
  QTimer::singleShot(0, [act] {
    T* widget = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!widget) {
      ADD_FAILURE() << "no modal dialog open";
      return;
    }
    act(widget);
  });
}

TEST(QtDialogsTest, LineBreaksAndFilter) {
  EXPECT_EQ(DisplayText("a\r\nb\r\rc\rd\n"), QString("a\nb\n\nc\nd\n"));
  EXPECT_EQ(DisplayText("Zürich"), QString::fromUtf8("Zürich"));
  EXPECT_EQ(SaveFilter({"Excel Files (*.xls)", "*.xls"}), QString("Excel Files (*.xls)"));
  EXPECT_EQ(SaveFilter({"Workbooks", "*.xls"}), QString("Workbooks (*.xls)"));
}

TEST(QtDialogsTest, QuestionBoxDefaultsToNoAndShowsPlainText) {
  QtDialogs dialogs;
  WhenOpen<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Question");
    EXPECT_EQ(box->text(), "<b>Rent</b>\nDelete?");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(dialogs.Message("<b>Rent</b>\r\nDelete?", "Question", MessageButtons::YesNo, MessageIcon::None, true),
            MessageAnswer::Yes);

  WhenOpen<QMessageBox>([](QMessageBox* box) { box->reject(); });
  EXPECT_EQ(dialogs.Message("Sure?", "Question", MessageButtons::YesNo, MessageIcon::None, true), MessageAnswer::No);
}

TEST(QtDialogsTest, ErrorBoxHasWarningIconAndOk) {
  QtDialogs dialogs;
  WhenOpen<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->text(), "Overflow\nin Form1 at line 148\n\nPlease");
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(dialogs.Message("Overflow\r\nin Form1 at line 148\r\rPlease", "Application Error", MessageButtons::Ok,
                            MessageIcon::Warning),
            MessageAnswer::Ok);
}

TEST(QtDialogsTest, InputReturnsTheTextOrEmptyOnCancel) {
  QtDialogs dialogs;
  WhenOpen<QInputDialog>([](QInputDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Input New Row");
    EXPECT_EQ(dialog->labelText(), "Enter new row: ");
    EXPECT_EQ(dialog->textValue(), "");
    dialog->setTextValue("  New & row ");
    dialog->accept();
  });
  EXPECT_EQ(dialogs.Input("Enter new row: ", "Input New Row"), "  New & row ");

  WhenOpen<QInputDialog>([](QInputDialog* dialog) {
    dialog->setTextValue("typed");
    dialog->reject();
  });
  EXPECT_EQ(dialogs.Input("Enter new row: ", "Input New Row"), "");
}

// The edit field shows the longest name of the default template whole: with the text
// cursor at its end the text has not scrolled, so the cursor stands a whole name's width
// from the field's left edge.
TEST(QtDialogsTest, InputFieldShowsTheLongestDefaultNameWhole) {
  const std::vector<std::string>& names = DefaultItemNames();
  const QString longest = QString::fromStdString(*std::max_element(
      names.begin(), names.end(), [](const std::string& a, const std::string& b) { return a.size() < b.size(); }));
  ASSERT_EQ(longest.size(), 52);
  QtDialogs dialogs;
  WhenOpen<QInputDialog>([&longest](QInputDialog* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>();
    edit->setText(longest);
    edit->end(false);
    edit->grab();  // painting scrolls the text to the cursor when it does not fit
    EXPECT_GE(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(),
              edit->fontMetrics().horizontalAdvance(longest));
    dialog->reject();
  });
  dialogs.Input("Rename selected row to: ", "Rename Selected Row");
}

const std::vector<FileType> kTypes = {{"Excel Files (*.xls)", "*.xls"}, {"PDF", "*.pdf"}};

TEST(QtDialogsTest, SaveAsOffersTheTypesAndReturnsThePathAndTheChosenType) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/report.pdf";
  QtDialogs dialogs;
  WhenOpen<QFileDialog>([path](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Save As");
    EXPECT_EQ(dialog->nameFilters(), (QStringList{"Excel Files (*.xls)", "PDF (*.pdf)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "Excel Files (*.xls)");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    dialog->selectNameFilter("PDF (*.pdf)");
    dialog->selectFile(path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const SaveChoice chosen = dialogs.SaveFileName("Save As", kTypes);
  EXPECT_EQ(chosen.path, path.toStdString());
  EXPECT_EQ(chosen.type, 1u);

  WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(dialogs.SaveFileName("Save As", kTypes).path, "");
}

// Types text into a field key by key, as the user does.
void Type(QWidget* field, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field, &press);
  }
}

// The overwrite question is the program's to ask: the dialog itself returns an existing
// file's name without a question of its own.
TEST(QtDialogsTest, SaveAsReturnsAnExistingFileWithoutAQuestionOfItsOwn) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/existing.xls";
  QFile existing(path);
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);

  std::string questionAsked;
  QtDialogs dialogs;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->findChild<QComboBox*>("fileTypeCombo")->currentText().toStdString(), "Excel Files (*.xls)");
    dialog->setDirectory(dir.path());
    Type(dialog->findChild<QLineEdit*>("fileNameEdit"), "existing.xls");
    // A question of the dialog's own would open over it: note it and answer No.
    QTimer::singleShot(0, dialog, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        questionAsked = box->text().toStdString();
        box->button(QMessageBox::No)->click();
      }
    });
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
    if (dialog->isVisible()) dialog->reject();
  });
  EXPECT_EQ(dialogs.SaveFileName("Save File", kTypes).path, path.toStdString());
  EXPECT_EQ(questionAsked, "");
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
}

}  // namespace
}  // namespace tallowmere
