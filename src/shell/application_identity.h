#pragma once
// The program's name as windows and message boxes show it, and its icon.

#include <QIcon>
#include <QString>

namespace tallowmere {

// The product name cut before its last blank while it is longer than 40 characters.
QString ApplicationTitle(QString productName);
// Makes ApplicationTitle("Tallowmere") the application's name.
void SetApplicationTitle();
// The program's icon (a ledger sheet with a rising green line) at every size it was
// rendered in; null when the program was built without its icon resources.
QIcon ApplicationIcon();

}  // namespace tallowmere
