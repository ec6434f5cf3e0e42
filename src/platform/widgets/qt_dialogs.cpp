#include "platform/widgets/qt_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>

namespace tallowmere {
namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// The longest item name of the default template has 52 characters. The input box's edit
// field shows that many capitals whole, so such a name is seen without scrolling; two
// more make room for the field's frame and margins.
constexpr int kInputCharacters = 52;

void WidenEditField(QInputDialog& dialog) {
  auto* edit = dialog.findChild<QLineEdit*>();
  if (!edit) return;
  edit->setMinimumWidth(QFontMetrics(edit->font()).horizontalAdvance(QString(kInputCharacters + 2, QLatin1Char('X'))));
}

}  // namespace

QString DisplayText(const std::string& text) {
  QString shown = ToQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

QString SaveFilter(const FileType& type) {
  const QString name = ToQString(type.name);
  const QString patternInBrackets = QLatin1Char('(') + ToQString(type.pattern) + QLatin1Char(')');
  return name.endsWith(patternInBrackets) ? name : name + QLatin1Char(' ') + patternInBrackets;
}

QWidget* QtDialogs::Parent() const { return parent_ ? parent_.data() : QApplication::activeWindow(); }

MessageAnswer QtDialogs::Message(const std::string& text, const std::string& title, MessageButtons buttons,
                                 MessageIcon icon, bool defaultNo) {
  QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, ToQString(title),
                  DisplayText(text), QMessageBox::NoButton, Parent());
  // Messages quote names the user typed; they are shown as typed, never as markup.
  box.setTextFormat(Qt::PlainText);
  if (buttons == MessageButtons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
  }
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::string QtDialogs::Input(const std::string& prompt, const std::string& title) {
  QInputDialog dialog(Parent());
  dialog.setWindowTitle(ToQString(title));
  dialog.setLabelText(DisplayText(prompt));
  dialog.setTextValue(QString());
  WidenEditField(dialog);
  for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

SaveChoice QtDialogs::SaveFileName(const std::string& title, const std::vector<FileType>& types) {
  QStringList filters;
  for (const FileType& type : types) filters << SaveFilter(type);
  QString selected = filters.value(0);
  // The caller asks its own question before replacing an existing file, so the dialog
  // must not ask one as well.
  const QString path = QFileDialog::getSaveFileName(Parent(), ToQString(title), QString(), filters.join(";;"),
                                                    &selected, QFileDialog::DontConfirmOverwrite);
  return {path.toStdString(), static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(selected)))};
}

}  // namespace tallowmere
