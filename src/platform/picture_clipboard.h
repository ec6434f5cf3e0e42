#pragma once
// A clipboard for sheet pictures, private to the process so that making a report never
// overwrites what the user has on the system clipboard. Pictures travel as the bytes of
// a Windows BMP file.

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace tallowmere {

using PictureBytes = std::vector<std::uint8_t>;

class PictureClipboard {
 public:
  virtual ~PictureClipboard() = default;
  // Replaces the clipboard's picture.
  virtual void SetPicture(PictureBytes bmp) = 0;
  // The picture in the given format (0: any); nothing when the clipboard holds none or
  // is busy.
  virtual std::optional<PictureBytes> GetPicture(int format) = 0;
};

class InProcessClipboard : public PictureClipboard {
 public:
  void SetPicture(PictureBytes bmp) override {
    std::lock_guard lock(mutex_);
    picture_ = std::move(bmp);
  }
  std::optional<PictureBytes> GetPicture(int /*format*/) override {
    std::lock_guard lock(mutex_);
    return picture_;
  }

 private:
  std::mutex mutex_;
  std::optional<PictureBytes> picture_;
};

}  // namespace tallowmere
