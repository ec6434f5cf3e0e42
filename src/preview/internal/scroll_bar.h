#pragma once
// A scroll bar the keyboard drives: it takes the focus by Tab and by click, shows the
// style's focus frame while it has it, and its arrow, page, Home and End keys move it.

#include <QScrollBar>

namespace tallowmere {

class ScrollBar : public QScrollBar {
 public:
  ScrollBar(Qt::Orientation orientation, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tallowmere
