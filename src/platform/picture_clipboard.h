#pragma once
// A clipboard for sheet pictures, private to the process so that making a report never
// overwrites what the user has on the system clipboard. Pictures travel as the bytes of
// a Windows BMP file, shared rather than copied: the picture of a large range runs to
// hundreds of megabytes.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace tallowmere {

using PictureBytes = std::vector<std::uint8_t>;
using SharedPicture = std::shared_ptr<const PictureBytes>;

class PictureClipboard {
 public:
  virtual ~PictureClipboard() = default;
  // Replaces the clipboard's picture.
  virtual void SetPicture(SharedPicture bmp) = 0;
  // The picture in the given format (0: any); null when the clipboard holds none or is
  // busy.
  virtual SharedPicture GetPicture(int format) = 0;
};

class InProcessClipboard : public PictureClipboard {
 public:
  void SetPicture(SharedPicture bmp) override {
    std::lock_guard lock(mutex_);
    picture_ = std::move(bmp);
  }
  SharedPicture GetPicture(int /*format*/) override {
    std::lock_guard lock(mutex_);
    return picture_;
  }

 private:
  std::mutex mutex_;
  SharedPicture picture_;
};

}  // namespace tallowmere
