#pragma once
// The report driver's way to the windows: the main window's pointer, the picture and
// workbook handed to the preview window (created at the first report and kept), showing
// the preview and hiding the main window.

#include <functional>
#include <memory>
#include <string>

#include "platform/dialogs.h"
#include "preview/form2.h"
#include "sheet/report_host.h"
#include "shell/form1.h"

namespace tallowmere {

class PreviewHandOver : public ReportHost {
 public:
  // The preview is made with services when the first report needs it. endProgram ends
  // the program without closing the main window (closing the preview does that, after
  // storing the main window's settings).
  PreviewHandOver(Form1& mainWindow, Form2Services services, std::function<void()> endProgram);
  ~PreviewHandOver() override;

  void SetMainPointer(PointerKind kind) override;
  void LoadPreviewPicture(const std::string& picturePath) override;
  void SetPreviewWorkbook(const std::string& workbookPath) override;
  void ShowPreview() override;
  void HideMainWindow() override;
  void RunPendingEvents() override;

  // The preview window once a report has created it; null before.
  Form2* Preview() const { return preview_.get(); }

 private:
  Form2& EnsurePreview();
  void ShowMainWindow();

  Form1& mainWindow_;
  Form2Services services_;
  std::function<void()> endProgram_;
  std::unique_ptr<Form2> preview_;
};

}  // namespace tallowmere
