#include "engine/xls/internal/compound_input.h"

#include <gsf/gsf.h>

#include <cstring>
#include <filesystem>
#include <mutex>

#include "engine/core/engine_error.h"

namespace tallowmere::engine {
namespace {

struct GObjectUnref {
  void operator()(gpointer object) const {
    if (object) g_object_unref(object);
  }
};
using InputPtr = std::unique_ptr<GsfInput, GObjectUnref>;
using InfilePtr = std::unique_ptr<GsfInfile, GObjectUnref>;

// libgsf logs its own complaints about a damaged file to stderr before failing; the
// failure reaches the user as our error, so the log lines are only noise.
void DropGsfComplaint(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void InitGsfOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    gsf_init();
    const auto levels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING);
    for (const char* domain : {"libgsf", "libgsf:msole"}) g_log_set_handler(domain, levels, DropGsfComplaint, nullptr);
  });
}

std::string TakeMessage(GError* error, const char* fallback) {
  std::string text = error && error->message ? error->message : fallback;
  if (error) g_error_free(error);
  return text;
}

// Workbooks of Excel 2007 and later are zip packages, not compound documents.
bool LooksLikeZip(GsfInput* source) {
  static const guint8 kZipMagic[] = {'P', 'K', 3, 4};
  if (gsf_input_seek(source, 0, G_SEEK_SET)) return false;
  const guint8* head = gsf_input_read(source, sizeof kZipMagic, nullptr);
  return head && std::memcmp(head, kZipMagic, sizeof kZipMagic) == 0;
}

}  // namespace

struct CompoundInput::Handles {
  InputPtr source;
  InfilePtr root;
};

CompoundInput::CompoundInput(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
CompoundInput::CompoundInput(CompoundInput&&) noexcept = default;
CompoundInput& CompoundInput::operator=(CompoundInput&&) noexcept = default;
CompoundInput::~CompoundInput() = default;

CompoundInput CompoundInput::FromSource(GsfInput* source, const std::string& what) {
  auto handles = std::make_unique<Handles>();
  handles->source.reset(source);
  GError* error = nullptr;
  handles->root.reset(gsf_infile_msole_new(source, &error));
  if (!handles->root) {
    const std::string reason = TakeMessage(error, "no compound document structure");
    if (LooksLikeZip(source)) {
      throw EngineError(
          what + " is an Excel 2007 or later workbook (.xlsx); only Excel 97-2003 workbooks (.xls) can be opened.");
    }
    throw EngineError(what + " is not an Excel workbook (" + reason + ").");
  }
  if (error) g_error_free(error);
  return CompoundInput(std::move(handles));
}

CompoundInput CompoundInput::OpenFile(const std::string& path) {
  // Only a file can hold a workbook; a device or a pipe would be read into memory without
  // end, and a folder has nothing to read.
  std::error_code ec;
  const std::filesystem::file_type type = std::filesystem::status(path, ec).type();
  if (type == std::filesystem::file_type::directory) throw EngineError("Cannot open '" + path + "': it is a folder.");
  if (!ec && type != std::filesystem::file_type::regular)
    throw EngineError("Cannot open '" + path + "': it is not a file that can hold a workbook.");
  InitGsfOnce();
  GError* error = nullptr;
  GsfInput* source = gsf_input_stdio_new(path.c_str(), &error);
  if (!source) {
    throw EngineError("Cannot open '" + path + "': " + TakeMessage(error, "the file cannot be read") + ".");
  }
  if (error) g_error_free(error);
  return FromSource(source, "'" + path + "'");
}

CompoundInput CompoundInput::OpenMemory(const std::uint8_t* data, std::size_t size) {
  InitGsfOnce();
  GsfInput* source = gsf_input_memory_new_clone(data, static_cast<gsf_off_t>(size));
  if (!source) throw EngineError("The data is not an Excel workbook (it is empty).");
  return FromSource(source, "The data");
}

std::optional<std::vector<std::uint8_t>> CompoundInput::ReadStream(const std::string& name) const {
  InputPtr stream(gsf_infile_child_by_name(handles_->root.get(), name.c_str()));
  if (!stream) return std::nullopt;
  const gsf_off_t size = gsf_input_size(stream.get());
  const gsf_off_t container = gsf_input_size(handles_->source.get());
  // A stream can never be larger than the document that holds it.
  if (size < 0 || size > container)
    throw EngineError("The workbook is damaged: the stream '" + name + "' has an impossible size.");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (size > 0 && !gsf_input_read(stream.get(), bytes.size(), bytes.data())) {
    throw EngineError("The workbook is damaged: the stream '" + name + "' cannot be read to its end.");
  }
  return bytes;
}

}  // namespace tallowmere::engine
