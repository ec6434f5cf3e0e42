#pragma once
// Read side of a compound document (OLE2 structured storage) through libgsf: opens a
// file or a memory block and hands out the bytes of a named top-level stream.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _GsfInput GsfInput;  // libgsf's input type, kept out of this header

namespace tallowmere::engine {

class CompoundInput {
 public:
  // Throws EngineError when the file cannot be read or is not a compound document.
  static CompoundInput OpenFile(const std::string& path);
  static CompoundInput OpenMemory(const std::uint8_t* data, std::size_t size);

  CompoundInput(CompoundInput&&) noexcept;
  CompoundInput& operator=(CompoundInput&&) noexcept;
  ~CompoundInput();

  // The whole stream, or nothing when the document has no top-level stream of that name.
  // Throws EngineError when the stream cannot be read to its end.
  std::optional<std::vector<std::uint8_t>> ReadStream(const std::string& name) const;

 private:
  struct Handles;
  static CompoundInput FromSource(GsfInput* source, const std::string& what);
  explicit CompoundInput(std::unique_ptr<Handles> handles);
  std::unique_ptr<Handles> handles_;
};

}  // namespace tallowmere::engine
