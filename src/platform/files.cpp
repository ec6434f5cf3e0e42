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

void CopyFileReplacing(const std::string& source, const std::string& target) {
  const fs::path to(target);
  const fs::path folder = to.has_parent_path() ? to.parent_path() : fs::path(".");
  std::random_device rd;
  const fs::path temp = folder / ("." + to.filename().string() + "." + std::to_string(rd()) + ".tmp");
  std::error_code ec;
  fs::copy_file(source, temp, fs::copy_options::overwrite_existing, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw std::runtime_error("Cannot copy " + source + " to " + target + ": " + std::error_code(ec).message());
  }
  fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  fs::rename(temp, to, ec);
  std::error_code probe;
  if (ec && fs::is_regular_file(to, probe)) {
    // Some file systems refuse to replace a read-only file; the user agreed to replace it.
    fs::permissions(to, fs::perms::owner_write, fs::perm_options::add, ec);
    fs::rename(temp, to, ec);
  }
  if (ec) {
    const std::string why = ec.message();
    fs::remove(temp, ec);
    throw std::runtime_error("Cannot write " + target + ": " + why);
  }
}

}  // namespace tallowmere
