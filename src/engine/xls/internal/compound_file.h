#pragma once
// Write side of a compound document (OLE2 structured storage) through libgsf.

#include <cstdint>
#include <string>
#include <vector>

namespace tallowmere::engine {

// The bytes of a compound document holding one top-level stream named streamName.
// Throws EngineError when libgsf cannot assemble it.
std::vector<std::uint8_t> BuildCompoundFile(const std::string& streamName, const std::vector<std::uint8_t>& data);

}  // namespace tallowmere::engine
