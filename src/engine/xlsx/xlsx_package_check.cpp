// Reading back the .xlsx file the library wrote. The library builds each XML part in a
// scratch file and copies it into the zip without checking the scratch file's writes: on a
// full disk a part can be cut off inside a zip that is itself intact. Every member is read
// through an XML parser, a piece at a time, so memory stays small however large the sheet.
#include <gsf/gsf.h>
#include <libxml/parser.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "engine/core/engine_error.h"
#include "engine/xlsx/xlsx_writer_parts.h"

namespace tallowmere::engine::xlsx {
namespace {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
using InputPtr = std::unique_ptr<GsfInput, GObjectUnref>;
using InfilePtr = std::unique_ptr<GsfInfile, GObjectUnref>;
using ParserPtr = std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)>;

void InitLibrariesOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    gsf_init();
    xmlInitParser();
  });
}

[[noreturn]] void FailWhole(const std::string& why) {
  throw EngineError("The workbook cannot be saved as .xlsx: the file could not be written whole (" + why +
                    "); the disk may be full");
}

// The parser's source: the next bytes of the member, 0 at its end, -1 when it cannot be read.
int ReadMember(void* member, char* buffer, int size) {
  auto* input = static_cast<GsfInput*>(member);
  const auto count = static_cast<std::size_t>(std::min<gsf_off_t>(gsf_input_remaining(input), size));
  if (count == 0) return 0;
  return gsf_input_read(input, count, reinterpret_cast<guint8*>(buffer)) ? static_cast<int>(count) : -1;
}

// The parser builds nothing: without handlers it only checks that the text is well-formed.
bool IsWellFormedXml(GsfInput* member) {
  xmlSAXHandler nothing{};
  nothing.initialized = XML_SAX2_MAGIC;
  ParserPtr parser(xmlCreateIOParserCtxt(&nothing, nullptr, ReadMember, nullptr, member, XML_CHAR_ENCODING_NONE),
                   &xmlFreeParserCtxt);
  if (!parser) return false;
  xmlCtxtUseOptions(parser.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  return xmlParseDocument(parser.get()) == 0 && parser->wellFormed;
}

// Checks the members of a folder of the zip, named from prefix, and of its folders in turn.
// Every part the writer makes is XML.
void CheckFolder(GsfInfile* folder, const std::string& prefix) {
  const int count = gsf_infile_num_children(folder);
  for (int i = 0; i < count; ++i) {
    InputPtr member(gsf_infile_child_by_index(folder, i));
    if (!member) FailWhole("a part cannot be read back");
    const std::string name = prefix + gsf_input_name(member.get());
    if (GSF_IS_INFILE(member.get()) && gsf_infile_num_children(GSF_INFILE(member.get())) >= 0) {
      CheckFolder(GSF_INFILE(member.get()), name + "/");
    } else if (!IsWellFormedXml(member.get())) {
      FailWhole("its part " + name + " is incomplete");
    }
  }
}

}  // namespace

void CheckWrittenWhole(const std::string& path) {
  InitLibrariesOnce();
  InputPtr file(gsf_input_stdio_new(path.c_str(), nullptr));
  if (!file) FailWhole("it cannot be read back");
  InfilePtr zip(gsf_infile_zip_new(file.get(), nullptr));
  if (!zip || gsf_infile_num_children(zip.get()) <= 0) FailWhole("it is not a readable zip");
  CheckFolder(zip.get(), "");
}

}  // namespace tallowmere::engine::xlsx
