#pragma once
// The hand pointer shown over push buttons comes from the image "HAND-M.CUR" beside the
// program when it can be read; otherwise the windows use the platform's pointing hand.

#include <QCursor>
#include <QString>

namespace tallowmere {

inline constexpr const char* kHandCursorFile = "HAND-M.CUR";

// Reads a Windows cursor file (image and hot spot). Returns false and leaves cursor alone
// when the file is missing or not a cursor Qt can read.
bool LoadCursorFile(const QString& path, QCursor& cursor);

}  // namespace tallowmere
