#pragma once
// The window-wide mouse pointer kinds, numbered as a window's pointer property numbers
// them: the default arrow, busy while a report is made, and the hand over push buttons
// (the image "HAND-M.CUR" beside the program when it loads, else the system's hand).

namespace tallowmere {

enum class PointerKind { Default = 0, Busy = 11, Custom = 99 };

}  // namespace tallowmere
