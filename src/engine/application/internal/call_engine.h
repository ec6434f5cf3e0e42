#pragma once
// Where the object-model implementation calls into the engine's workbook, file, picture
// and formula code: what those throw becomes the object model's error, with the same
// description, as an automation server reports it.

#include <utility>

#include "automation/automation.h"
#include "engine/core/engine_error.h"
#include "engine/formula/formula.h"

namespace tallowmere::engine {

template <typename Call>
decltype(auto) CallEngine(Call&& call) {
  try {
    return std::forward<Call>(call)();
  } catch (const EngineError& error) {
    throw AutomationError(error.what());
  } catch (const FormulaError& error) {
    throw AutomationError(error.what());
  }
}

}  // namespace tallowmere::engine
