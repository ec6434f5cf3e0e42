#pragma once
// A file system that passes every operation on to the machine's own and fails the one
// with a given number, as a full disk or a locked file would: a failing write leaves part
// of its bytes behind, a failing copy part of the file, a failing rename or removal
// changes nothing. Exists is a question, not an operation, and never fails.

#include <string>
#include <vector>

#include "platform/files.h"

namespace tallowmere::testing {

class FailingFileSystem : public FileSystem {
 public:
  // Operations, counted from 1, that fail; 0 (the default) fails none.
  int failAt = 0;
  // Every operation so far, as "CreateNew /path", "Rename /from -> /to", ...
  std::vector<std::string> operations;

  bool Exists(const std::string& path) override { return real_.Exists(path); }
  bool CreateNew(const std::string& path) override;
  void Write(const std::string& path, const std::uint8_t* data, std::size_t size) override;
  void Copy(const std::string& source, const std::string& target) override;
  void Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool MakeWritable(const std::string& path) override;

 private:
  // Records the operation; true when it is the one to fail.
  bool Fails(const std::string& operation);
  [[noreturn]] static void Throw(const std::string& path);

  FileSystem& real_ = LocalFileSystem();
};

}  // namespace tallowmere::testing
