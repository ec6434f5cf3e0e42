#pragma once
// The command buttons of both windows: a caption in Arial 11.25 pt bold, pressed with the
// mouse, with Space, or with Return or Enter while the button has the focus.

#include <QPushButton>

namespace tallowmere {

// A new button named name with caption inside parent; the caller places it.
QPushButton* NewCommandButton(const char* name, const char* caption, QWidget* parent);

}  // namespace tallowmere
