#include "platform/files.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

#include "platform/interrupt_cleanup.h"

namespace fs = std::filesystem;

namespace tallowmere {
namespace {

// Takes size bytes of disk for file, which is empty; false with errno set when the disk
// has no room. A file system that cannot take blocks ahead is written as usual.
bool Reserve(std::FILE* file, std::size_t size) {
  if (size == 0 || ::fallocate(::fileno(file), 0, 0, static_cast<off_t>(size)) == 0) return true;
  return errno != ENOSPC && errno != EFBIG && errno != EDQUOT;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, const std::string& reason) {
  throw FileError(what + " " + path + ": " + reason, reason);
}

class LocalFiles : public FileSystem {
 public:
  bool Exists(const std::string& path) override {
    if (path.empty()) return false;
    std::error_code ec;
    (void)fs::last_write_time(fs::path(path), ec);
    return !ec;
  }

  bool CreateNew(const std::string& path) override {
    // "x": fail when the file exists, atomically with its creation.
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) {
      if (errno == EEXIST) return false;
      Fail("Cannot create", path, std::strerror(errno));
    }
    std::fclose(file);
    return true;
  }

  void Write(const std::string& path, const std::uint8_t* data, std::size_t size) override {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) Fail("Cannot write", path, std::strerror(errno));
    // The file's blocks are taken at once: a disk too full for it fails before a byte is
    // written, and a file that replaces another in a rename is not first written out to
    // disk by file systems that do so for files whose blocks are not yet placed (ext4).
    bool ok = Reserve(file, size);
    int error = ok ? 0 : errno;
    // A full disk may show only when the buffer is flushed or the file closed.
    ok = ok && std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0;
    if (!ok && !error) error = errno;
    if (std::fclose(file) != 0 && ok) {
      ok = false;
      error = errno;
    }
    if (!ok) Fail("Cannot write", path, std::strerror(error ? error : EIO));
  }

  void Copy(const std::string& source, const std::string& target) override {
    std::error_code ec;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    if (ec) Fail("Cannot copy " + source + " to", target, ec.message());
  }

  void Rename(const std::string& from, const std::string& to) override {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec) Fail("Cannot replace", to, ec.message());
  }

  bool Remove(const std::string& path) override {
    if (path.empty()) return true;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (!fs::exists(status)) return true;
    if (fs::is_directory(status)) return false;
    return fs::remove(path, ec) && !ec;
  }

  bool MakeWritable(const std::string& path) override {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    return !ec;
  }
};

// Claims a fresh name beside target for the content that is to replace it.
std::string ClaimNameBeside(FileSystem& files, const std::string& target) {
  thread_local std::mt19937 generator{std::random_device{}()};
  const fs::path where(target);
  const fs::path folder = where.has_parent_path() ? where.parent_path() : fs::path(".");
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string name = "." + where.filename().string() + "." + std::to_string(generator() % 100000000) + ".tmp";
    const std::string path = (folder / name).string();
    if (files.CreateNew(path)) return path;
  }
  Fail("Cannot write", target, "no free name for a temporary file beside it");
}

// Fills a fresh file beside target with fill, then puts it in target's place. On failure
// the fresh file is removed; a FileError is thrown again naming target (not the fresh
// file), any other exception as it is.
template <typename Fill>
void ReplaceWhole(FileSystem& files, const std::string& what, const std::string& target, Fill fill) {
  std::string fresh;
  std::optional<RemovedOnInterrupt> interrupted;  // after the removal below, when it fails
  try {
    fresh = ClaimNameBeside(files, target);
    interrupted.emplace(fresh);
    fill(fresh);
    files.Rename(fresh, target);
  } catch (const FileError& error) {
    if (!fresh.empty()) RemoveQuietly(files, fresh);
    Fail(what, target, error.Reason());
  } catch (...) {
    if (!fresh.empty()) RemoveQuietly(files, fresh);
    throw;
  }
}

}  // namespace

FileSystem& LocalFileSystem() {
  static LocalFiles files;
  return files;
}

std::string JoinPath(const std::string& folder, const std::string& name) { return (fs::path(folder) / name).string(); }

std::string TempFolder() {
  if (const char* temp = std::getenv("TEMP"); temp && *temp) return temp;
  std::error_code ec;
  const fs::path system = fs::temp_directory_path(ec);
  return ec ? std::string(".") : system.string();
}

void WriteFileWhole(FileSystem& files, const std::string& path, const std::uint8_t* data, std::size_t size) {
  ReplaceWhole(files, "Cannot write", path, [&](const std::string& fresh) { files.Write(fresh, data, size); });
}

void WriteFileWholeWith(FileSystem& files, const std::string& path,
                        const std::function<void(const std::string& fresh)>& write) {
  ReplaceWhole(files, "Cannot write", path, write);
}

void CopyFileReplacing(FileSystem& files, const std::string& source, const std::string& target) {
  if (!files.Exists(source)) Fail("Cannot copy", source, "the file does not exist");
  ReplaceWhole(files, "Cannot copy " + source + " to", target, [&](const std::string& fresh) {
    files.Copy(source, fresh);
    // The copy takes the source's permissions; the user's file is theirs to change.
    files.MakeWritable(fresh);
  });
}

void MoveFileReplacing(FileSystem& files, const std::string& source, const std::string& target) {
  try {
    files.Rename(source, target);
  } catch (const FileError&) {
    CopyFileReplacing(files, source, target);
  }
}

bool RemoveQuietly(FileSystem& files, const std::string& path) {
  if (files.Remove(path)) return true;
  files.MakeWritable(path);
  return files.Remove(path);
}

void RemoveFile(FileSystem& files, const std::string& path, const std::function<void()>& runPendingEvents) {
  if (runPendingEvents) runPendingEvents();
  RemoveQuietly(files, path);
}

}  // namespace tallowmere
