#pragma once
// Files as the program uses them: existence, quiet removal, and a copy that never leaves
// a half-written target.

#include <string>

namespace tallowmere {

// True when the file's modification time can be read; never throws.
bool FileExists(const std::string& path);

// Lets pending window events run, then deletes the file; when that fails, makes the file
// writable and deletes it again. Failures are silent; a folder is never removed.
void RemoveFile(const std::string& path);

// Copies source to target through a temporary file in the target's folder that replaces
// the target in one rename, so a failed copy leaves an existing target whole. Replaces a
// read-only target. Throws std::runtime_error with a description on failure.
void CopyFileReplacing(const std::string& source, const std::string& target);

}  // namespace tallowmere
