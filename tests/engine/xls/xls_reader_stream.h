#pragma once
// Hand-made BIFF8 workbook streams in compound files, for the reader tests: records are
// built byte by byte so that each test states exactly what the file holds.

#include <gsf/gsf.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tallowmere::testing {

using Bytes = std::vector<std::uint8_t>;

struct RecordBytes {
  Bytes data;
  RecordBytes& U8(unsigned v) {
    data.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  RecordBytes& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
  RecordBytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  RecordBytes& F64(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, 8);
    return U32(static_cast<std::uint32_t>(bits)).U32(static_cast<std::uint32_t>(bits >> 32));
  }
  RecordBytes& Latin1(const std::string& s) {  // flags byte 0, then the 8-bit characters
    U8(0);
    data.insert(data.end(), s.begin(), s.end());
    return *this;
  }
};

inline void AppendRecord(Bytes& stream, std::uint16_t id, const Bytes& body, std::size_t declaredLength) {
  RecordBytes header;
  header.U16(id).U16(static_cast<unsigned>(declaredLength));
  stream.insert(stream.end(), header.data.begin(), header.data.end());
  stream.insert(stream.end(), body.begin(), body.end());
}
inline void AppendRecord(Bytes& stream, std::uint16_t id, const RecordBytes& body) {
  AppendRecord(stream, id, body.data, body.data.size());
}

inline RecordBytes Bof(unsigned type) {
  RecordBytes r;
  r.U16(0x0600).U16(type).U16(0x0DBB).U16(0x07CC).U32(0).U32(0x06);
  return r;
}

// Workbook globals with one worksheet whose substream follows directly; sst may be empty.
// The caller appends the sheet records and the final EOF.
inline Bytes GlobalsWithOneSheet(const Bytes& sstRecords) {
  Bytes stream;
  AppendRecord(stream, 0x0809, Bof(0x0005));
  for (int i = 0; i < 4; ++i)
    AppendRecord(
        stream, 0x0031,
        RecordBytes().U16(200).U16(0).U16(0x7FFF).U16(400).U16(0).U8(0).U8(0).U8(0).U8(0).U8(5).Latin1("Arial"));
  // Sixteen XFs: the style XFs and the default cell XF 15, then a bold-less filled one (16).
  for (int i = 0; i < 16; ++i)
    AppendRecord(stream, 0x00E0,
                 RecordBytes()
                     .U16(0)
                     .U16(0)
                     .U16(i < 15 ? 0xFFF5 : 0)
                     .U8(0x20)
                     .U8(0)
                     .U8(0)
                     .U8(0)
                     .U16(0)
                     .U16(0)
                     .U32(0)
                     .U16(0x20C0));
  AppendRecord(stream, 0x00E0,
               RecordBytes()
                   .U16(0)
                   .U16(3)
                   .U16(0)
                   .U8(0x12)
                   .U8(0)
                   .U8(0)
                   .U8(0)
                   .U16(0x1111)
                   .U16((23 << 7) | 23)
                   .U32((1u << 26) | (23 << 7) | 23)
                   .U16((65 << 7) | 50));
  const std::size_t boundSheetAt = stream.size();
  AppendRecord(stream, 0x0085, RecordBytes().U32(0).U8(0).U8(0).U8(8).Latin1("CashFlow"));
  stream.insert(stream.end(), sstRecords.begin(), sstRecords.end());
  AppendRecord(stream, 0x000A, RecordBytes());
  const std::uint32_t sheetOffset = static_cast<std::uint32_t>(stream.size());
  for (int i = 0; i < 4; ++i) stream[boundSheetAt + 4 + i] = static_cast<std::uint8_t>(sheetOffset >> (8 * i));
  AppendRecord(stream, 0x0809, Bof(0x0010));
  return stream;
}

// A compound file at path holding the given streams.
inline bool WriteCompoundFile(const std::string& path, const std::vector<std::pair<std::string, Bytes>>& streams) {
  gsf_init();
  GError* error = nullptr;
  GsfOutput* sink = gsf_output_stdio_new(path.c_str(), &error);
  if (!sink) return false;
  GsfOutfile* root = gsf_outfile_msole_new(sink);
  for (const auto& [name, bytes] : streams) {
    GsfOutput* child = gsf_outfile_new_child(root, name.c_str(), FALSE);
    gsf_output_write(child, bytes.size(), bytes.data());
    gsf_output_close(child);
    g_object_unref(child);
  }
  gsf_output_close(GSF_OUTPUT(root));
  g_object_unref(root);
  g_object_unref(sink);  // closed with the compound file
  return true;
}

}  // namespace tallowmere::testing
