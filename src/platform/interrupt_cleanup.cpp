#include "platform/interrupt_cleanup.h"

#include <pthread.h>
#include <semaphore.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <set>

namespace tallowmere {
namespace {

std::mutex registeredLock;
sem_t waiting;  // posted once the waiting thread runs
std::multiset<std::string>& Registered() {
  static auto* registered = new std::multiset<std::string>;  // lives until the very end
  return *registered;
}

sigset_t InterruptSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
  return signals;
}

// Waits for an interrupt, removes what is registered and ends the program by the signal.
// The lock stays taken, so that nothing is registered or let go meanwhile.
void* WaitForInterrupt(void* waitedFor) {
  const sigset_t& signals = *static_cast<const sigset_t*>(waitedFor);
  sem_post(&waiting);
  int signal = 0;
  while (sigwait(&signals, &signal) != 0) {
  }
  registeredLock.lock();
  for (const std::string& path : Registered()) {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  ::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  _exit(128 + signal);  // the signal was ignored by default after all
}

}  // namespace

void CleanUpOnInterrupt() {
  // The waiting thread gets nothing allocated, and the program goes on once it runs: a
  // program ending at once then leaves no thread half started, nor a block behind that only
  // that thread would have freed.
  static const sigset_t signals = InterruptSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  sem_init(&waiting, 0, 0);
  pthread_t thread;
  if (pthread_create(&thread, nullptr, WaitForInterrupt, const_cast<sigset_t*>(&signals)) != 0) {
    pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);  // no cleanup, but the signals still end the program
    return;
  }
  pthread_detach(thread);
  while (sem_wait(&waiting) != 0) {
  }
}

RemovedOnInterrupt::RemovedOnInterrupt(std::string path) : path_(std::move(path)) {
  const std::lock_guard<std::mutex> hold(registeredLock);
  Registered().insert(path_);
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
  const std::lock_guard<std::mutex> hold(registeredLock);
  Registered().erase(Registered().find(path_));
}

}  // namespace tallowmere
