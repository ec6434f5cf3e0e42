// The last step of generate: a finished report's workbook and picture reach --out and
// --picture whole or not at all, whatever step of the file system fails, and the exit
// status and stderr say which did not.
#include "cli/delivery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "cli/exit_status.h"
#include "support/failing_file_system.h"
#include "support/recording_application.h"

namespace tallowmere::cli {
namespace {

namespace fs = std::filesystem;

const std::string kOlderPlan = "older plan", kOlderPicture = "older picture";
const std::string kNewPlan = "the report's workbook", kNewPicture = "the report's picture";

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliDelivery : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("tm-cli-delivery-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root);
    fs::create_directories(root / "run");
    fs::create_directories(root / "out");
  }
  void TearDown() override { fs::remove_all(root); }

  // The run's temporary workbook and kept picture, and the older files at the destinations.
  void Prepare() {
    std::ofstream(Run("vormid.xls"), std::ios::binary) << kNewPlan;
    std::ofstream(Run("picture.bmp"), std::ios::binary) << kNewPicture;
    std::ofstream(Out("a.xls"), std::ios::binary) << kOlderPlan;
    std::ofstream(Out("a.bmp"), std::ios::binary) << kOlderPicture;
  }
  std::string Run(const std::string& name) const { return (root / "run" / name).string(); }
  std::string Out(const std::string& name) const { return (root / "out" / name).string(); }

  // Delivers with the file system files; the exit status, and what was printed in err.
  int Deliver(FileSystem& files, const std::string& out, const std::string& picture, const ReportOutcome& outcome,
              const std::string& kept, int errorReports = 0) {
    const Delivery to{factory, files, out, FormatOfPath(out).value(), picture};
    ::testing::internal::CaptureStderr();
    const int status = cli::Deliver(to, outcome, kept, errorReports);
    err = ::testing::internal::GetCapturedStderr();
    return status;
  }

  std::set<std::string> OutFiles() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(root / "out"))
      names.insert(entry.path().filename().string());
    return names;
  }

  fs::path root;
  testing::RecordingFactory factory;
  std::string err;
};

TEST_F(CliDelivery, WhatTheOutcomeLetsThrough) {
  const struct {
    const char* what;
    bool saved, whole;
    int errorReports;
    bool picture;     // --picture was given (and a picture kept)
    const char* out;  // --out's name
    bool factoryFails;
    int status;
    std::string plan, image;  // what --out and --picture hold afterwards
    std::string message;      // on stderr after the program's name; "" for nothing
  } cases[] = {
      {"done", true, true, 0, true, "a.xls", false, kDone, kNewPlan, kNewPicture, ""},
      {"no picture asked for", true, true, 0, false, "a.xls", false, kDone, kNewPlan, kOlderPicture, ""},
      {"errors were reported", true, true, 2, true, "a.xls", false, kErrors, kNewPlan, kNewPicture, ""},
      {"half a sheet", true, false, 1, true, "a.xls", false, kErrors, kOlderPlan, kOlderPicture,
       "the sheet could not be laid out whole; OUT and the picture were not written"},
      {"half a sheet, no picture", true, false, 0, false, "a.xls", false, kErrors, kOlderPlan, kOlderPicture,
       "the sheet could not be laid out whole; OUT was not written"},
      {"nothing saved", false, false, 1, true, "a.xls", false, kErrors, kOlderPlan, kOlderPicture,
       "the workbook could not be saved; OUT was not written"},
      {"no spreadsheet for the .xlsx", true, true, 0, true, "a.xlsx", true, kErrors, "", kNewPicture, "*"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Prepare();
    factory.failCreate = c.factoryFails;
    const std::string out = Out(c.out);
    if (!c.saved) fs::remove(Run("vormid.xls"));
    const ReportOutcome outcome{c.saved ? Run("vormid.xls") : "", false, c.whole};
    const int status = Deliver(LocalFileSystem(), out, c.picture ? Out("a.bmp") : "", outcome,
                               c.picture ? Run("picture.bmp") : "", c.errorReports);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(Read(out), c.plan);
    EXPECT_EQ(Read(Out("a.bmp")), c.image);
    std::string message = c.message;
    if (const auto at = message.find("OUT"); at != std::string::npos) message.replace(at, 3, out);
    if (message == "*")
      EXPECT_EQ(err.rfind("tallowmere-cli: ", 0), 0u) << err;
    else
      EXPECT_EQ(err, message.empty() ? "" : "tallowmere-cli: " + message + "\n");
    EXPECT_FALSE(fs::exists(Run("vormid.xls"))) << "the temporary workbook stays";
    fs::remove(out);
  }
}

// Where the run's folder lies on another file system than the destinations, no rename
// from it succeeds: the files are copied instead.
class CrossDeviceFiles : public testing::FailingFileSystem {
 public:
  explicit CrossDeviceFiles(std::string runFolder) : runFolder_(std::move(runFolder)) {}
  void Rename(const std::string& from, const std::string& to) override {
    if (from.rfind(runFolder_, 0) == 0) throw FileError("Cannot rename " + from + ": Invalid cross-device link", "");
    FailingFileSystem::Rename(from, to);
  }

 private:
  std::string runFolder_;
};

// Fails each operation of a delivery in turn, with and without renames from the run's
// folder: every destination then holds its older file or the new one whole, nothing half
// made lies beside them, and the run succeeds exactly when both were replaced, naming
// each one that was not.
TEST_F(CliDelivery, AFailingStepLeavesEachFileWholeAndSaysWhichWasNotWritten) {
  for (const bool crossDevice : {false, true}) {
    int steps = 0;
    for (int failAt = 1;; ++failAt) {
      SCOPED_TRACE((crossDevice ? "across file systems, operation " : "operation ") + std::to_string(failAt));
      Prepare();
      CrossDeviceFiles crossing(Run(""));
      testing::FailingFileSystem plain;
      testing::FailingFileSystem& files = crossDevice ? crossing : plain;
      files.failAt = failAt;
      const int status =
          Deliver(files, Out("a.xls"), Out("a.bmp"), {Run("vormid.xls"), false, true}, Run("picture.bmp"));
      if (failAt > static_cast<int>(files.operations.size())) {
        EXPECT_EQ(status, kDone) << err;  // nothing failed
        break;
      }
      steps = failAt;
      SCOPED_TRACE(files.operations[static_cast<size_t>(failAt - 1)]);
      const std::string plan = Read(Out("a.xls")), image = Read(Out("a.bmp"));
      EXPECT_TRUE(plan == kOlderPlan || plan == kNewPlan) << plan;
      EXPECT_TRUE(image == kOlderPicture || image == kNewPicture) << image;
      EXPECT_EQ(OutFiles(), (std::set<std::string>{"a.xls", "a.bmp"}));
      EXPECT_EQ(status == kDone, plan == kNewPlan && image == kNewPicture) << err;
      if (plan == kOlderPlan) {
        EXPECT_NE(err.find("Cannot copy " + Run("vormid.xls") + " to " + Out("a.xls")), err.npos) << err;
      }
      if (image == kOlderPicture) {
        EXPECT_NE(err.find("Cannot copy " + Run("picture.bmp") + " to " + Out("a.bmp")), err.npos) << err;
      }
      fs::remove_all(root / "run");
      fs::create_directories(root / "run");
    }
    // Two renames and the removal; across file systems a fresh file, its copy, its
    // permissions and its rename for each destination.
    EXPECT_EQ(steps, crossDevice ? 9 : 3);
  }
}

}  // namespace
}  // namespace tallowmere::cli
