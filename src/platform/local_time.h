#pragma once
// The local calendar time through the thread-safe call that each system has.

#include <ctime>

namespace tallowmere {

// when broken down into the local time zone's calendar and clock.
inline std::tm LocalTime(std::time_t when) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &when);
#else
  localtime_r(&when, &local);
#endif
  return local;
}

}  // namespace tallowmere
