#pragma once
// Write side of a compound document (OLE2 structured storage) through libgsf.

#include <cstdint>
#include <string>
#include <vector>

namespace tallowmere::engine {

// Writes a compound document at path holding one top-level stream. The document is
// written to a temporary file beside path and renamed over it only when complete, so a
// failed write leaves any earlier file untouched and no partial file behind.
// Throws AutomationError with a description (folder missing, no permission, disk full).
void WriteCompoundFile(const std::string& path, const std::string& streamName, const std::vector<std::uint8_t>& data);

}  // namespace tallowmere::engine
