#pragma once
// A spreadsheet object model that records every call as one text line, such as
// "Range(B2).Select", "Selection.Font.Size=9" or "ActiveCell.FormulaR1C1==R[-2]C[12]",
// and can be told to fail at a given call. All instances of one factory share one log, so
// the order of calls across instances is visible.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/automation.h"
#include "platform/picture_clipboard.h"

namespace tallowmere::testing {

struct CallLog {
  std::vector<std::string> calls;
  // The call with this index (from 0) throws AutomationError after being recorded.
  std::optional<size_t> failAtCall;
  // Every call whose text starts with one of these throws after being recorded.
  std::vector<std::string> failingPrefixes;

  void Record(const std::string& call);
  // Indexes of calls starting with prefix.
  std::vector<size_t> Find(const std::string& prefix) const;
  // Number of calls starting with prefix.
  size_t Count(const std::string& prefix) const { return Find(prefix).size(); }
  // Index of the first call equal to text, or -1.
  long IndexOf(const std::string& text) const;
};

struct RecordingOptions {
  std::string name = "Recording Spreadsheet";  // the default member of the application
  std::string version = "16.0";
  int sheetsInNewWorkbook = 1;
  int usedRows = 20;  // shape of every sheet's used range
  int usedColumns = 16;
  PictureClipboard* clipboard = nullptr;  // CopyPicture puts a small BMP here
};

class RecordingFactory : public ApplicationFactory {
 public:
  explicit RecordingFactory(RecordingOptions settings = {}) : options(std::move(settings)) {}

  std::shared_ptr<Application> Create() override;
  std::shared_ptr<Application> GetRunning() override;

  RecordingOptions options;
  CallLog log;
  bool failCreate = false;
  std::string runningName;  // not empty: GetRunning answers an instance of this name
  int created = 0;
};

// The bytes CopyPicture puts on the clipboard.
PictureBytes RecordedPictureBytes();

}  // namespace tallowmere::testing
