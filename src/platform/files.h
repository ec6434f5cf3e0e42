#pragma once
// Files as the program uses them. Every file operation of a report and of saving a copy
// goes through FileSystem, so that tests can fail any one of them; on top of it, a write
// and a copy that leave a file whole or not at all, and the quiet removal.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

namespace tallowmere {

// A file operation failed. The text names the file and says why; Reason() is the why
// alone ("No space left on device"), for messages that name the file their own way.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& text, std::string reason) : std::runtime_error(text), reason_(std::move(reason)) {}
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when the file's modification time can be read; never throws.
  virtual bool Exists(const std::string& path) = 0;
  // Creates an empty file at path. False when something is there already; throws
  // FileError when the file can be neither created nor found (missing or read-only folder).
  virtual bool CreateNew(const std::string& path) = 0;
  // Writes size bytes as the whole content of the file at path. Throws FileError (disk
  // full, no permission); the file may then hold part of the bytes.
  virtual void Write(const std::string& path, const std::uint8_t* data, std::size_t size) = 0;
  // Copies the content of source over the file at target. Throws FileError; target may
  // then hold part of the content.
  virtual void Copy(const std::string& source, const std::string& target) = 0;
  // Renames from to to, replacing a file at to in one step. Throws FileError and
  // changes nothing.
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // Removes the file at path. False when the file is still there afterwards; a missing
  // file counts as removed. Never throws and never removes a folder.
  virtual bool Remove(const std::string& path) = 0;
  // Gives the file's owner write permission. False when that failed; never throws.
  virtual bool MakeWritable(const std::string& path) = 0;
};

// The machine's own file system.
FileSystem& LocalFileSystem();

// folder and name joined with the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

// The temporary folder: $TEMP when set, else the system's temporary folder.
std::string TempFolder();

// Writes data as the file at path, whole or not at all: the bytes go to a fresh file
// beside path, which then replaces path in one rename. On failure the fresh file is
// removed, path keeps what it held, and FileError is thrown.
void WriteFileWhole(FileSystem& files, const std::string& path, const std::uint8_t* data, std::size_t size);

// Makes the file at path in the same way with a writer that cannot hand over its bytes (a
// library that writes a file by name): write fills the fresh file beside path whose name it
// is given, which then replaces path in one rename. When write throws or the rename fails,
// the fresh file is removed and path keeps what it held; a FileError is thrown naming path,
// and anything else that write throws goes on unchanged.
void WriteFileWholeWith(FileSystem& files, const std::string& path,
                        const std::function<void(const std::string& fresh)>& write);

// Copies source to target in the same way. Replaces a read-only target too (the user
// agreed to replace it). Throws FileError; target is then as it was.
void CopyFileReplacing(FileSystem& files, const std::string& source, const std::string& target);

// Puts source in target's place in one rename where both lie on one file system; where
// the rename fails, copies it as CopyFileReplacing does and leaves source.
void MoveFileReplacing(FileSystem& files, const std::string& source, const std::string& target);

// Deletes the file; when that fails, makes the file writable and deletes it again. True
// when no file is left at path; never throws.
bool RemoveQuietly(FileSystem& files, const std::string& path);

// Lets pending window events run (runPendingEvents; empty where there are no windows),
// then deletes the file; when that fails, makes the file writable and deletes it again.
// Failures are silent; a folder is never removed.
void RemoveFile(FileSystem& files, const std::string& path, const std::function<void()>& runPendingEvents);

}  // namespace tallowmere
