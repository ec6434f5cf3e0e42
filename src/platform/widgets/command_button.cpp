#include "platform/widgets/command_button.h"

namespace tallowmere {

QPushButton* NewCommandButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  QFont font("Arial");
  font.setPointSizeF(11.25);
  font.setBold(true);
  button->setFont(font);
  // Outside a dialog a push button answers Space only; an auto-default one also answers
  // Return and Enter while it has the focus. With no dialog around, no button becomes
  // the window's default, so Return never presses a button that lacks the focus.
  button->setAutoDefault(true);
  button->setMouseTracking(true);
  return button;
}

}  // namespace tallowmere
