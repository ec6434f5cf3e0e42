#pragma once
// What a run is making when it is interrupted (Ctrl+C, kill, a closed terminal): files and
// folders registered here are taken away before the program ends by the signal, so that
// no half-made file or temporary folder outlives it.

#include <string>

namespace tallowmere {

// Takes SIGINT, SIGTERM and SIGHUP from now on: removes what is registered, then ends the
// program by the same signal. Call it before the program starts any thread, so that every
// thread leaves these signals to the one that waits for them.
void CleanUpOnInterrupt();

// Registers path (a file or a folder with what it holds) for as long as it lives.
class RemovedOnInterrupt {
 public:
  explicit RemovedOnInterrupt(std::string path);
  ~RemovedOnInterrupt();
  RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
  RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

 private:
  std::string path_;
};

}  // namespace tallowmere
