#include "engine/output/gui_layer.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "engine/render/private_fonts.h"

namespace tallowmere::engine {
namespace {

// Qt's own notes about the headless platform (a missing runtime folder, size hints) are
// no business of a script reading the program's stderr; serious failures still get through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

}  // namespace

void EnsureGuiLayer(const WorkbookData& workbook) {
  if (QCoreApplication::instance()) return;
  if (const std::string root = PrivateFontRootFor(workbook); !root.empty())
    setenv("FONTCONFIG_SYSROOT", root.c_str(), 1);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietQtMessages);
  static int argc = 1;
  static char name[] = "tallowmere";
  static char* argv[] = {name, nullptr};
  // Kept until the program ends: Qt's own clean-up at exit expects it to outlive the
  // drawings made with it.
  static QGuiApplication* const application = new QGuiApplication(argc, argv);
  (void)application;
}

}  // namespace tallowmere::engine
