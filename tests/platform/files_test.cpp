// Files written and copied whole or not at all, the exclusive creation of names, and the
// quiet removal.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "support/failing_file_system.h"
#include "support/temporary_folder.h"

namespace tallowmere::testing {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FilesTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir.FilePath(name); }
  std::string Write(const char* name, const std::string& content) {
    std::ofstream(Path(name), std::ios::binary) << content;
    return Path(name);
  }
  int EntryCount() const {
    return static_cast<int>(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()));
  }

  testing::TemporaryFolder dir;
  FileSystem& local = LocalFileSystem();
};

TEST_F(FilesTest, NamesAreCreatedExclusively) {
  EXPECT_TRUE(local.CreateNew(Path("name")));
  EXPECT_FALSE(local.CreateNew(Path("name")));
  fs::create_directory(Path("folder"));
  EXPECT_FALSE(local.CreateNew(Path("folder")));
  EXPECT_THROW(local.CreateNew(Path("none/name")), FileError);
}

TEST_F(FilesTest, RemovalIsQuietAndReachesReadOnlyFilesButNotFolders) {
  const std::string readOnly = Write("locked.xls", "x");
  fs::permissions(readOnly, fs::perms::owner_read);
  // Pending events run first, while the file is still there for a window showing it.
  std::vector<bool> presentWhenEventsRan;
  const auto runPendingEvents = [&] { presentWhenEventsRan.push_back(fs::exists(readOnly)); };
  RemoveFile(local, readOnly, runPendingEvents);
  EXPECT_FALSE(fs::exists(readOnly));
  EXPECT_EQ(presentWhenEventsRan, std::vector<bool>{true});
  RemoveFile(local, Path("missing"), {});
  RemoveFile(local, "", {});
  fs::create_directory(Path("folder"));
  RemoveFile(local, Path("folder"), {});
  EXPECT_TRUE(fs::is_directory(Path("folder")));
}

TEST_F(FilesTest, CopyReplacesTheTargetWhole) {
  const std::string source = Write("source", std::string(100000, 'a'));
  const std::string target = Write("target", "old");
  CopyFileReplacing(local, source, target);
  EXPECT_EQ(Read(target), std::string(100000, 'a'));
  CopyFileReplacing(local, source, source);  // onto itself: nothing lost
  EXPECT_EQ(Read(source), std::string(100000, 'a'));
  EXPECT_EQ(EntryCount(), 2);
}

TEST_F(FilesTest, CopiesThatCannotBeMadeLeaveTheTargetAndNoTemporaryFile) {
  const std::string target = Write("target", "old");
  EXPECT_THROW(CopyFileReplacing(local, Path("missing"), target), FileError);
  EXPECT_EQ(Read(target), "old");
  fs::create_directory(Path("folder"));
  const std::string source = Write("source", "new");
  EXPECT_THROW(CopyFileReplacing(local, source, Path("folder")), FileError);
  EXPECT_TRUE(fs::is_directory(Path("folder")));
  EXPECT_THROW(CopyFileReplacing(local, source, Path("none/target")), FileError);
  EXPECT_EQ(EntryCount(), 3) << "no temporary copy is left behind";
}

TEST_F(FilesTest, AWriterThatFailsLeavesTheTargetAndNoFreshFile) {
  const std::string target = Write("target", "old");
  std::string fresh;
  // The writer's own exception comes through as it is, not as a file error.
  try {
    WriteFileWholeWith(local, target, [&](const std::string& name) {
      fresh = name;
      std::ofstream(name) << "half";
      throw std::runtime_error("the library gave up");
    });
    ADD_FAILURE() << "no exception";
  } catch (const FileError& error) {
    ADD_FAILURE() << "wrapped as a file error: " << error.what();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "the library gave up");
  }
  EXPECT_EQ(Read(target), "old");
  ASSERT_FALSE(fresh.empty());
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(EntryCount(), 1);
}

TEST_F(FilesTest, AMoveRenamesAndCopiesOnlyWhenTheRenameFails) {
  for (const int failing : {0, 1}) {
    SCOPED_TRACE(failing);
    const std::string source = Write("source", "new");
    const std::string target = Write("target", "old");
    FailingFileSystem files;
    files.failAt = failing;
    MoveFileReplacing(files, source, target);
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(files.operations.front(), "Rename " + source + " -> " + target);
    EXPECT_EQ(fs::exists(source), failing == 1) << "a failed rename leaves the source, copied";
  }
}

// Each operation of a whole write or copy fails in turn: the target keeps its old content,
// the failure names the target, and nothing is left beside it. When it succeeds the
// target holds the new content.
struct WholeCase {
  const char* name;
  std::function<void(FileSystem&, const std::string& source, const std::string& target)> write;
};

class WholeOrNothing : public FilesTest, public ::testing::WithParamInterface<WholeCase> {};

TEST_P(WholeOrNothing, EveryFailureLeavesTheOldTarget) {
  const std::string newContent(50000, 'n');
  const std::string source = Write("source", newContent);
  const std::string target = Write("target", "old");
  for (int failing = 1;; ++failing) {
    SCOPED_TRACE(failing);
    FailingFileSystem files;
    files.failAt = failing;
    try {
      GetParam().write(files, source, target);
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find(target), std::string::npos) << error.what();
      EXPECT_EQ(Read(target), "old");
      EXPECT_EQ(EntryCount(), 2);
      continue;
    }
    // Only a failure that does not matter (the copy's permissions) may pass unnoticed.
    EXPECT_EQ(Read(target), newContent);
    EXPECT_EQ(EntryCount(), 2);
    if (failing > static_cast<int>(files.operations.size())) break;
    Write("target", "old");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, WholeOrNothing,
    ::testing::Values(WholeCase{"Write",
                                [](FileSystem& files, const std::string& source, const std::string& target) {
                                  const std::string bytes = Read(source);
                                  WriteFileWhole(files, target, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                 bytes.size());
                                }},
                      WholeCase{"Copy", [](FileSystem& files, const std::string& source,
                                           const std::string& target) { CopyFileReplacing(files, source, target); }},
                      WholeCase{"WriteWith",
                                [](FileSystem& files, const std::string& source, const std::string& target) {
                                  WriteFileWholeWith(files, target, [&](const std::string& fresh) {
                                    const std::string bytes = Read(source);
                                    files.Write(fresh, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                bytes.size());
                                  });
                                }}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tallowmere::testing
