// Reading the hand pointer's cursor file.
#include "platform/widgets/hand_cursor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <stdexcept>

namespace tallowmere {
namespace {

// A cursor file is an icon file of type 2 whose entry carries the hot spot where an icon
// carries planes and bit count.
QByteArray CursorFileBytes(int hotX, int hotY) {
  QTemporaryDir dir;
  const QString icon = dir.filePath("hand.ico");
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::black);
  EXPECT_TRUE(image.save(icon, "ICO"));
  QFile file(icon);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  bytes[2] = 2;
  bytes[10] = static_cast<char>(hotX);
  bytes[11] = 0;
  bytes[12] = static_cast<char>(hotY);
  bytes[13] = 0;
  return bytes;
}

TEST(HandCursorTest, ReadsImageAndHotSpotAndRefusesOtherFilesNamingThem) {
  using ::testing::HasSubstr;
  using ::testing::ThrowsMessage;
  QTemporaryDir dir;
  const QString path = dir.filePath(kHandCursorFile);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(CursorFileBytes(5, 7));
  file.close();

  const QCursor cursor = LoadCursorFile(path);
  EXPECT_EQ(cursor.hotSpot(), QPoint(5, 7));
  EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));

  for (const QByteArray& bad :
       {QByteArray("not a cursor at all, just text"), QByteArray(), CursorFileBytes(0, 0).left(30)}) {
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bad);
    file.close();
    EXPECT_THAT([&] { LoadCursorFile(path); },
                ThrowsMessage<std::runtime_error>(HasSubstr("Cannot load the pointer image " + path.toStdString())));
  }
  EXPECT_THAT([&] { LoadCursorFile(dir.filePath("missing.cur")); },
              ThrowsMessage<std::runtime_error>(HasSubstr("missing.cur")));
}

}  // namespace
}  // namespace tallowmere
