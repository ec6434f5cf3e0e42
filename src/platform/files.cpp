#include "platform/files.h"

#include <QCoreApplication>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace tallowmere {

bool FileExists(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return false;
  (void)fs::last_write_time(fs::path(path), ec);
  return !ec;
}

void RemoveFile(const std::string& path) {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
  std::error_code ec;
  if (path.empty() || fs::is_directory(path, ec)) return;
  if (fs::remove(path, ec) && !ec) return;
  if (!ec) return;  // nothing was there
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove(path, ec);
}

namespace {

// A fresh name beside the target, where the copy is written before it replaces the target.
fs::path TemporaryNameBeside(const fs::path& target) {
  std::string name = ".";
  name += target.filename().string();
  name += '.';
  name += std::to_string(std::random_device{}());
  name += ".tmp";
  return (target.has_parent_path() ? target.parent_path() : fs::path(".")) / name;
}

}  // namespace

void CopyFileReplacing(const std::string& source, const std::string& target) {
  const fs::path to(target);
  const fs::path temp = TemporaryNameBeside(to);
  std::error_code ec;
  std::error_code cleanup;
  fs::copy_file(source, temp, fs::copy_options::none, ec);
  if (ec) {
    if (ec != std::errc::file_exists) fs::remove(temp, cleanup);  // a partial copy
    throw std::runtime_error("Cannot copy " + source + " to " + target + ": " + ec.message());
  }
  fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, cleanup);
  fs::rename(temp, to, ec);
  if (ec && fs::is_regular_file(to, cleanup)) {
    // Some file systems refuse to replace a read-only file; the user agreed to replace it.
    fs::permissions(to, fs::perms::owner_write, fs::perm_options::add, cleanup);
    fs::rename(temp, to, ec);
  }
  if (ec) {
    fs::remove(temp, cleanup);
    throw std::runtime_error("Cannot write " + target + ": " + ec.message());
  }
}

}  // namespace tallowmere
