#include "platform/widgets/hand_cursor.h"

#include <QFile>
#include <QPixmap>
#include <QtEndian>
#include <stdexcept>
#include <string>

namespace tallowmere {

namespace {

// A cursor file starts with a 6-byte header (reserved 0, type 2, image count) and a
// 16-byte entry per image whose bytes 4..7 hold the hot spot's x and y.
constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;
constexpr quint16 kCursorType = 2;

bool ReadHotSpot(const QByteArray& data, int& x, int& y) {
  if (data.size() < kHeaderSize + kEntrySize) return false;
  const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
  if (qFromLittleEndian<quint16>(bytes) != 0 || qFromLittleEndian<quint16>(bytes + 2) != kCursorType) return false;
  if (qFromLittleEndian<quint16>(bytes + 4) == 0) return false;
  x = qFromLittleEndian<quint16>(bytes + kHeaderSize + 4);
  y = qFromLittleEndian<quint16>(bytes + kHeaderSize + 6);
  return true;
}

[[noreturn]] void Refuse(const QString& path, const std::string& reason) {
  throw std::runtime_error("Cannot load the pointer image " + path.toStdString() + ": " + reason);
}

}  // namespace

QCursor LoadCursorFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Refuse(path, file.errorString().toStdString());
  const QByteArray data = file.readAll();
  int hotX = 0;
  int hotY = 0;
  if (!ReadHotSpot(data, hotX, hotY)) Refuse(path, "not a cursor file");
  QPixmap image;
  if (!image.loadFromData(data, "CUR") && !image.loadFromData(data)) Refuse(path, "its image cannot be read");
  if (hotX >= image.width() || hotY >= image.height()) hotX = hotY = 0;
  return QCursor(image, hotX, hotY);
}

}  // namespace tallowmere
