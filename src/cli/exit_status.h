#pragma once
// The exit status of tallowmere-cli and the message that goes with a failure.

#include <string>

namespace tallowmere::cli {

inline constexpr int kDone = 0;     // everything was written
inline constexpr int kErrors = 1;   // done with errors reported on stderr
inline constexpr int kRefused = 2;  // refused before anything was written

// Prints "tallowmere-cli: message" to stderr, with the CR of message box line ends
// dropped; returns status.
int Fail(int status, const std::string& message);

}  // namespace tallowmere::cli
