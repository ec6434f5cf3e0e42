#pragma once
// The hand pointer shown over push buttons: the image "HAND-M.CUR" beside the program when
// it can be read, otherwise the platform's pointing hand.

#include <QCursor>
#include <QString>

namespace tallowmere {

inline constexpr const char* kHandCursorFile = "HAND-M.CUR";

// Reads a Windows cursor file (image and hot spot). Returns false and leaves cursor alone
// when the file is missing or not a cursor Qt can read.
bool LoadCursorFile(const QString& path, QCursor& cursor);

// The hand pointer from folder + "/HAND-M.CUR", or Qt::PointingHandCursor.
QCursor HandCursor(const QString& folder);

}  // namespace tallowmere
