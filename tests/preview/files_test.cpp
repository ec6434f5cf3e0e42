// Quiet removal and the copy that never leaves a half-written target.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tallowmere {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
  std::string Write(const char* name, const std::string& content) {
    std::ofstream(Path(name), std::ios::binary) << content;
    return Path(name);
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  int EntryCount() const {
    return static_cast<int>(std::distance(fs::directory_iterator(dir.path().toStdString()), fs::directory_iterator()));
  }

  QTemporaryDir dir;
};

TEST_F(FilesTest, RemovalIsQuietAndReachesReadOnlyFilesButNotFolders) {
  const std::string readOnly = Write("locked.xls", "x");
  fs::permissions(readOnly, fs::perms::owner_read);
  RemoveFile(readOnly);
  EXPECT_FALSE(fs::exists(readOnly));
  RemoveFile(Path("missing"));
  RemoveFile("");
  fs::create_directory(Path("folder"));
  RemoveFile(Path("folder"));
  EXPECT_TRUE(fs::is_directory(Path("folder")));
}

TEST_F(FilesTest, CopyReplacesTheTargetWhole) {
  const std::string source = Write("source", std::string(100000, 'a'));
  const std::string target = Write("target", "old");
  CopyFileReplacing(source, target);
  EXPECT_EQ(Read(target), std::string(100000, 'a'));
  CopyFileReplacing(source, source);  // onto itself: nothing lost
  EXPECT_EQ(Read(source), std::string(100000, 'a'));
  EXPECT_EQ(EntryCount(), 2);
}

TEST_F(FilesTest, FailedCopyLeavesTheTargetAndNoTemporaryFile) {
  const std::string target = Write("target", "old");
  EXPECT_THROW(CopyFileReplacing(Path("missing"), target), std::runtime_error);
  EXPECT_EQ(Read(target), "old");
  fs::create_directory(Path("folder"));
  const std::string source = Write("source", "new");
  EXPECT_THROW(CopyFileReplacing(source, Path("folder")), std::runtime_error);
  EXPECT_TRUE(fs::is_directory(Path("folder")));
  EXPECT_THROW(CopyFileReplacing(source, Path("none/target")), std::runtime_error);
  EXPECT_EQ(EntryCount(), 3) << "no temporary copy is left behind";
}

}  // namespace
}  // namespace tallowmere
