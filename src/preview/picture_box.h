#pragma once
// A picture control: shows one image on white at its top left corner and passes its mouse
// presses, moves and releases on, in its own coordinates.

#include <QImage>
#include <QWidget>
#include <functional>

namespace tallowmere {

class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void SetImage(QImage image);
  const QImage& Image() const { return image_; }

  // Pixel positions inside this control; pressed is true while any button is held.
  std::function<void(QPointF position)> onPress;
  std::function<void(bool pressed, QPointF position)> onMove;
  std::function<void()> onRelease;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage image_;
};

}  // namespace tallowmere
