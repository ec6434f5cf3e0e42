#include "shell/application_identity.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/dialogs.h"

namespace tallowmere {

QString ApplicationTitle(QString productName) {
  while (productName.length() > 40) {
    const qsizetype blank = productName.lastIndexOf(' ');
    if (blank < 0) return productName.left(40);
    productName.truncate(blank);
  }
  return productName;
}

// The name goes to the application name, not the display name: Qt would append a display
// name to every window title, so "Application Error" would read "Application Error — ...".
void SetApplicationTitle() {
  QCoreApplication::setApplicationName(ApplicationTitle(QString::fromUtf8(kApplicationTitle)));
}

namespace {

QPixmap IconAt(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal unit = size / 16.0;
  // The sheet with its grid.
  const QRectF sheet(1.5 * unit, 1 * unit, 13 * unit, 14 * unit);
  painter.setPen(QPen(QColor(60, 60, 60), std::max(1.0, unit * 0.6)));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(sheet, unit, unit);
  painter.fillRect(QRectF(sheet.left() + unit * 0.4, sheet.top() + unit * 0.4, sheet.width() - unit * 0.8, 2.6 * unit),
                   QColor(0, 51, 102));
  painter.setPen(QPen(QColor(192, 192, 192), std::max(1.0, unit * 0.3)));
  for (int row = 1; row <= 3; ++row) {
    const qreal y = sheet.top() + (3 + row * 2.7) * unit;
    painter.drawLine(QPointF(sheet.left() + unit, y), QPointF(sheet.right() - unit, y));
  }
  // The rising cash line.
  QPainterPath line;
  line.moveTo(sheet.left() + 1.5 * unit, sheet.bottom() - 2 * unit);
  line.lineTo(sheet.left() + 5 * unit, sheet.bottom() - 5 * unit);
  line.lineTo(sheet.left() + 7.5 * unit, sheet.bottom() - 3.5 * unit);
  line.lineTo(sheet.right() - 1.5 * unit, sheet.top() + 5 * unit);
  painter.setPen(QPen(QColor(0, 128, 0), std::max(1.5, unit * 1.2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(line);
  return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(IconAt(size));
  return icon;
}

}  // namespace tallowmere
