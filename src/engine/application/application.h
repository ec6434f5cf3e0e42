#pragma once
// The built-in spreadsheet engine as an application of the object model: an in-process
// instance with its workbooks, sheets, selection and files.

#include <memory>

#include "automation/automation.h"
#include "platform/files.h"
#include "platform/picture_clipboard.h"

namespace tallowmere::engine {

inline constexpr const char* kEngineName = "Tallowmere Sheet Engine";
inline constexpr const char* kEngineVersion = "16.0";

class EngineApplicationFactory : public ApplicationFactory {
 public:
  // Pictures that CopyPicture makes go to clipboard, and SaveAs writes through files;
  // both must outlive the instances. sheetsInNewWorkbook: how many sheets Workbooks.Add
  // gives a new workbook.
  EngineApplicationFactory(PictureClipboard& clipboard, FileSystem& files, int sheetsInNewWorkbook = 1);

  // A new engine instance; never fails.
  std::shared_ptr<Application> Create() override;
  // Always throws AutomationError: the engine never runs outside this process.
  std::shared_ptr<Application> GetRunning() override;

 private:
  PictureClipboard& clipboard_;
  FileSystem& files_;
  int sheetsInNewWorkbook_;
};

}  // namespace tallowmere::engine
