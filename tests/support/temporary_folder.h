#pragma once
// A fresh folder of its own under the system's temporary folder, removed with everything
// in it when the object goes.

#include <string>

namespace tallowmere::testing {

class TemporaryFolder {
 public:
  // Throws std::runtime_error when no folder can be made.
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string FilePath(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace tallowmere::testing
