#include "engine/xls/internal/compound_file.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <memory>

#include "engine/core/engine_error.h"

namespace tallowmere::engine {
namespace {

// Owns one reference to a libgsf output; closes it if the code that used it did not
// (an output that is unreferenced without being closed writes nothing).
struct OutputDeleter {
  void operator()(GsfOutput* output) const {
    if (!gsf_output_is_closed(output)) gsf_output_close(output);
    g_object_unref(output);
  }
};
using OutputPtr = std::unique_ptr<GsfOutput, OutputDeleter>;

[[noreturn]] void Fail(const std::string& why) { throw EngineError("The workbook cannot be assembled: " + why); }

std::string ErrorText(const GsfOutput* output, const char* fallback) {
  const GError* error = gsf_output_error(output);
  return error && error->message ? error->message : fallback;
}

}  // namespace

std::vector<std::uint8_t> BuildCompoundFile(const std::string& streamName, const std::vector<std::uint8_t>& data) {
  OutputPtr sink(gsf_output_memory_new());
  OutputPtr root(GSF_OUTPUT(gsf_outfile_msole_new(sink.get())));
  if (!root) Fail("the compound document cannot be started");
  {
    OutputPtr stream(gsf_outfile_new_child(GSF_OUTFILE(root.get()), streamName.c_str(), FALSE));
    if (!stream) Fail("the stream cannot be created");
    // The child stream is closed before the root, and each before being released.
    const bool written = gsf_output_write(stream.get(), data.size(), data.data());
    const std::string why = ErrorText(stream.get(), "the stream cannot be written");
    if (!gsf_output_close(stream.get()) || !written) Fail(why);
  }
  if (!gsf_output_close(root.get())) Fail(ErrorText(root.get(), "the compound document cannot be completed"));
  const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
  const auto size = static_cast<std::size_t>(gsf_output_size(sink.get()));
  if (!bytes && size > 0) Fail("the document was lost in memory");
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace tallowmere::engine
