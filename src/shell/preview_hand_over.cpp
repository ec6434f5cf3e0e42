#include "shell/preview_hand_over.h"

#include <QCoreApplication>
#include <utility>

namespace tallowmere {

PreviewHandOver::PreviewHandOver(Form1& mainWindow, Form2Services services, std::function<void()> endProgram)
    : mainWindow_(mainWindow), services_(std::move(services)), endProgram_(std::move(endProgram)) {}

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

void PreviewHandOver::RunPendingEvents() { QCoreApplication::processEvents(); }

void PreviewHandOver::ShowMainWindow() {
  mainWindow_.show();
  mainWindow_.raise();
  mainWindow_.activateWindow();
}

Form2& PreviewHandOver::EnsurePreview() {
  if (!preview_) {
    Form2::Callbacks callbacks{[this] { ShowMainWindow(); }, [this] { mainWindow_.StoreSettings(); }, endProgram_};
    preview_ = std::make_unique<Form2>(services_, std::move(callbacks));
  }
  return *preview_;
}

}  // namespace tallowmere
