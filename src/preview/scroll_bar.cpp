#include "preview/internal/scroll_bar.h"

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tallowmere {

ScrollBar::ScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {
  setFocusPolicy(Qt::StrongFocus);
}

// Left and Right step a horizontal bar towards its start and its end. The toolkit's own
// handling reverses them on scroll bars (Right moves towards the start).
void ScrollBar::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (orientation() == Qt::Horizontal && (key == Qt::Key_Left || key == Qt::Key_Right)) {
    triggerAction(key == Qt::Key_Right ? SliderSingleStepAdd : SliderSingleStepSub);
    event->accept();
    return;
  }
  QScrollBar::keyPressEvent(event);
}

// Styles draw no focus on scroll bars; without a frame the user cannot see which bar the
// keys will move.
void ScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

}  // namespace tallowmere
