#pragma once
// The dialogs shown with Qt: QMessageBox, QInputDialog and the Save As file dialog.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/dialogs.h"

namespace tallowmere {

class QtDialogs : public Dialogs {
 public:
  // Boxes are modal over parent; without one, over the active window.
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  MessageAnswer Message(const std::string& text, const std::string& title, MessageButtons buttons, MessageIcon icon,
                        bool defaultNo = false) override;
  std::string Input(const std::string& prompt, const std::string& title) override;
  SaveChoice SaveFileName(const std::string& title, const std::vector<FileType>& types) override;

 private:
  QWidget* Parent() const;

  QPointer<QWidget> parent_;
};

// Messages break lines with CR LF and with a lone CR; on screen each is one line break.
QString DisplayText(const std::string& text);

// The file dialog's filter: the name as given when it ends with the pattern in brackets
// ("Excel Files (*.xls)"), otherwise the name followed by it ("Workbooks (*.xls)").
QString SaveFilter(const FileType& type);

}  // namespace tallowmere
