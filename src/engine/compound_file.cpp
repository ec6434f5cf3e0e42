#include "engine/compound_file.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <filesystem>
#include <memory>

#include "sheet/automation.h"

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

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw AutomationError("Cannot save the workbook '" + path + "': " + why);
}

std::string ErrorText(const GsfOutput* output, const char* fallback) {
  const GError* error = gsf_output_error(output);
  return error && error->message ? error->message : fallback;
}

// Closes what is still open, innermost first, then marks the sink failed and closes
// it: the stdio output then removes its temporary file and leaves the target alone.
void Abandon(GsfOutput* stream, GsfOutput* root, GsfOutput* sink) {
  for (GsfOutput* inner : {stream, root}) {
    if (inner && !gsf_output_is_closed(inner)) gsf_output_close(inner);
  }
  if (!gsf_output_error(sink)) gsf_output_set_error(sink, 0, "write abandoned");
  gsf_output_close(sink);
}

}  // namespace

void WriteCompoundFile(const std::string& path, const std::string& streamName, const std::vector<std::uint8_t>& data) {
  GError* error = nullptr;
  OutputPtr sink(gsf_output_stdio_new(path.c_str(), &error));
  if (!sink) {
    std::string why = error && error->message ? error->message : "the file cannot be created";
    if (error) g_error_free(error);
    Fail(path, why);
  }
  OutputPtr root(GSF_OUTPUT(gsf_outfile_msole_new(sink.get())));
  if (!root) {
    Abandon(nullptr, nullptr, sink.get());
    Fail(path, "the compound document cannot be started");
  }
  OutputPtr stream(gsf_outfile_new_child(GSF_OUTFILE(root.get()), streamName.c_str(), FALSE));
  bool ok = stream && gsf_output_write(stream.get(), data.size(), data.data());
  std::string why = stream ? ErrorText(stream.get(), "the stream cannot be written") : "the stream cannot be created";
  // The child stream is closed before the root, and each before being released.
  if (stream) ok = gsf_output_close(stream.get()) && ok;
  if (!ok) {
    Abandon(stream.get(), root.get(), sink.get());
    Fail(path, why);
  }
  // Closing the document also closes the file under it (which renames the temporary
  // file into place) unless something failed first.
  if (!gsf_output_close(root.get())) {
    why = ErrorText(root.get(), "the compound document cannot be completed");
    if (!gsf_output_is_closed(sink.get())) {
      Abandon(nullptr, nullptr, sink.get());
    } else {
      std::error_code ignored;
      std::filesystem::remove(path, ignored);  // a document that failed to close is not a workbook
    }
    Fail(path, why);
  }
  if (!gsf_output_is_closed(sink.get()) && !gsf_output_close(sink.get())) {
    Fail(path, ErrorText(sink.get(), "the file cannot be completed"));
  }
}

}  // namespace tallowmere::engine
