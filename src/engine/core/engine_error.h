#pragma once
// The error that the engine's workbook, file and picture code throws, with a description
// a user can read ("The workbook is damaged: ..."). The object-model implementation
// reports it as the object model's error, with the same description.

#include <stdexcept>

namespace tallowmere::engine {

class EngineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tallowmere::engine
