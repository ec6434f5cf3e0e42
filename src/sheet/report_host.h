#pragma once
// What the report driver needs of the windows: the main window's pointer, the hand-over
// to the preview and hiding the main window. The main window implements it; the command
// line implements it by keeping the paths.

#include <string>

namespace tallowmere {

class ReportHost {
 public:
  virtual ~ReportHost() = default;
  // Main window pointer kind: 0 default, 11 busy.
  virtual void SetMainPointer(int kind) = 0;
  // Loads the picture file into the preview (creating the preview on first use).
  // Throws std::runtime_error when the picture cannot be loaded.
  virtual void LoadPreviewPicture(const std::string& picturePath) = 0;
  // Tells the preview which temporary workbook it shows.
  virtual void SetPreviewWorkbook(const std::string& workbookPath) = 0;
  virtual void ShowPreview() = 0;
  virtual void HideMainWindow() = 0;
};

}  // namespace tallowmere
