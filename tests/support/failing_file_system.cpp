#include "support/failing_file_system.h"

#include <fstream>
#include <iterator>

namespace tallowmere::testing {

bool FailingFileSystem::Fails(const std::string& operation) {
  operations.push_back(operation);
  return static_cast<int>(operations.size()) == failAt;
}

void FailingFileSystem::Throw(const std::string& path) {
  throw FileError("Cannot write " + path + ": Injected failure", "Injected failure");
}

bool FailingFileSystem::CreateNew(const std::string& path) {
  if (Fails("CreateNew " + path)) Throw(path);
  return real_.CreateNew(path);
}

void FailingFileSystem::Write(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (Fails("Write " + path)) {
    real_.Write(path, data, size / 2);  // the disk filled up half way
    Throw(path);
  }
  real_.Write(path, data, size);
}

void FailingFileSystem::Copy(const std::string& source, const std::string& target) {
  if (Fails("Copy " + source + " -> " + target)) {
    std::ifstream in(source, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    real_.Write(target, bytes.data(), bytes.size() / 2);
    Throw(target);
  }
  real_.Copy(source, target);
}

void FailingFileSystem::Rename(const std::string& from, const std::string& to) {
  if (Fails("Rename " + from + " -> " + to)) Throw(to);
  real_.Rename(from, to);
}

bool FailingFileSystem::Remove(const std::string& path) {
  if (Fails("Remove " + path)) return !real_.Exists(path);
  return real_.Remove(path);
}

bool FailingFileSystem::MakeWritable(const std::string& path) {
  if (Fails("MakeWritable " + path)) return false;
  return real_.MakeWritable(path);
}

}  // namespace tallowmere::testing
