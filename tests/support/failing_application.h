#pragma once
// An object model that passes every call on to another one (the built-in engine, say)
// and fails the call with a given number by throwing AutomationError, as an automation
// server reports a failing call. Every call on every object of the factory counts, in
// order, creating an instance included.

#include <memory>
#include <string>
#include <vector>

#include "automation/automation.h"

namespace tallowmere::testing {

struct FaultPlan {
  // The call, counted from 1, that fails; 0 (the default) fails none.
  size_t failAt = 0;
  // The member named by every call so far, as "Application.SetVisible" or "Range.Select".
  std::vector<const char*> calls;

  // Counts the call; throws when it is the one to fail.
  void Next(const char* member);
};

class FailingFactory : public ApplicationFactory {
 public:
  explicit FailingFactory(ApplicationFactory& inner) : inner_(inner) {}

  std::shared_ptr<Application> Create() override;
  std::shared_ptr<Application> GetRunning() override;

  FaultPlan plan;

 private:
  ApplicationFactory& inner_;
};

}  // namespace tallowmere::testing
