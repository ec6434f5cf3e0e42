#include "shell/application_identity.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "platform/dialogs.h"

namespace tallowmere {

QString ApplicationTitle(QString productName) {
  while (productName.length() > 40) {
    const qsizetype blank = productName.lastIndexOf(' ');
    if (blank < 0) return productName.left(40);
    productName.truncate(blank);
  }
  return productName;
}

// The name goes to the application name, not the display name: Qt would append a display
// name to every window title, so "Application Error" would read "Application Error — ...".
void SetApplicationTitle() {
  QCoreApplication::setApplicationName(ApplicationTitle(QString::fromUtf8(kApplicationTitle)));
}

// The pictures rendered from the program's SVG icon, one file per size, built into the
// program as resources.
QIcon ApplicationIcon() {
  QIcon icon;
  for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
    icon.addFile(file.filePath());
  return icon;
}

}  // namespace tallowmere
