#pragma once
// What the report driver needs of the windows: the main window's pointer, the hand-over
// to the preview, hiding the main window and letting its pending events run. The main window implements it; the command
// line implements it by keeping the paths.

#include <string>

#include "platform/pointer_kind.h"

namespace tallowmere {

class ReportHost {
 public:
  virtual ~ReportHost() = default;
  // The main window's pointer: PointerKind::Busy while the picture is made, then Default.
  virtual void SetMainPointer(PointerKind kind) = 0;
  // Loads the picture file into the preview (creating the preview on first use). An
  // empty path: no picture was made for this report. Throws std::runtime_error when there
  // is no picture to load; the preview then shows none, never an earlier report's picture.
  virtual void LoadPreviewPicture(const std::string& picturePath) = 0;
  // Tells the preview which temporary workbook it shows ("" when none was saved).
  virtual void SetPreviewWorkbook(const std::string& workbookPath) = 0;
  virtual void ShowPreview() = 0;
  virtual void HideMainWindow() = 0;
  // Lets the windows' pending events run before a file they may still show is removed;
  // nothing to do where there are no windows.
  virtual void RunPendingEvents() {}
};

}  // namespace tallowmere
