#pragma once
// Keyboard presses of push buttons, as a user makes them.

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace tallowmere::testing {

// How often button is clicked when it takes the focus and key is pressed and released,
// the events going where the keyboard sends them: to the window's focused control.
inline int ClicksFromKey(QPushButton* button, Qt::Key key) {
  int clicks = 0;
  const QMetaObject::Connection counting = QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
  button->setFocus(Qt::TabFocusReason);
  QWidget* focused = button->window()->focusWidget();
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent event(type, key, Qt::NoModifier);
    if (focused) QApplication::sendEvent(focused, &event);
  }
  QObject::disconnect(counting);
  return clicks;
}

}  // namespace tallowmere::testing
