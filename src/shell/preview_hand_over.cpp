#include "shell/preview_hand_over.h"

#include <utility>

namespace tallowmere {

PreviewHandOver::PreviewHandOver(Form1& mainWindow, Dialogs& dialogs, FileSystem& files,
                                 std::function<void()> endProgram)
    : mainWindow_(mainWindow), dialogs_(dialogs), files_(files), endProgram_(std::move(endProgram)) {}

PreviewHandOver::~PreviewHandOver() = default;

void PreviewHandOver::SetMainPointer(PointerKind kind) { mainWindow_.SetMousePointer(kind); }

void PreviewHandOver::LoadPreviewPicture(const std::string& picturePath) { EnsurePreview().LoadPicture(picturePath); }

void PreviewHandOver::SetPreviewWorkbook(const std::string& workbookPath) {
  EnsurePreview().SetExcelFile(workbookPath);
}

void PreviewHandOver::ShowPreview() {
  Form2& preview = EnsurePreview();
  preview.show();
  preview.raise();
  preview.activateWindow();
}

void PreviewHandOver::HideMainWindow() { mainWindow_.hide(); }

void PreviewHandOver::ShowMainWindow() {
  mainWindow_.show();
  mainWindow_.raise();
  mainWindow_.activateWindow();
}

Form2& PreviewHandOver::EnsurePreview() {
  if (!preview_) {
    Form2::Callbacks callbacks{[this] { ShowMainWindow(); }, [this] { mainWindow_.StoreSettings(); }, endProgram_};
    preview_ = std::make_unique<Form2>(dialogs_, files_, std::move(callbacks), mainWindow_.ProgramFolder());
  }
  return *preview_;
}

}  // namespace tallowmere
