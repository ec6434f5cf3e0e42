#include "preview/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace tallowmere {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void PictureBox::SetImage(QImage image) {
  image_ = std::move(image);
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  painter.drawImage(event->rect().topLeft(), image_, event->rect());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  if (onPress) onPress(event->position());
  event->accept();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  if (onMove) onMove(event->buttons() != Qt::NoButton, event->position());
  event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  if (onRelease) onRelease();
  event->accept();
}

}  // namespace tallowmere
