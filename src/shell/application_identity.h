#pragma once
// The program's name as windows and message boxes show it, and its icon.

#include <QIcon>
#include <QString>

namespace tallowmere {

// The product name cut before its last blank while it is longer than 40 characters.
QString ApplicationTitle(QString productName);
// Makes ApplicationTitle("Tallowmere") the application's name.
void SetApplicationTitle();
// A small ledger sheet with a rising green line, drawn at the usual icon sizes.
QIcon ApplicationIcon();

}  // namespace tallowmere
