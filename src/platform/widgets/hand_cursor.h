#pragma once
// The hand pointer shown over push buttons comes from the image "HAND-M.CUR" beside the
// program when it can be read; otherwise the windows use the platform's pointing hand.

#include <QCursor>
#include <QString>

namespace tallowmere {

inline constexpr const char* kHandCursorFile = "HAND-M.CUR";

// Reads a Windows cursor file (image and hot spot). Throws std::runtime_error naming the
// file and what is wrong when it cannot be opened or is not a cursor Qt can read.
QCursor LoadCursorFile(const QString& path);

}  // namespace tallowmere
