#pragma once
// Copies of a report's workbook in the formats the program saves: the .xls itself, or the
// same workbook as an .xlsx or as a one-page PDF.

#include <optional>
#include <string>
#include <vector>

#include "automation/automation.h"
#include "platform/dialogs.h"
#include "platform/files.h"

namespace tallowmere {

enum class CopyFormat { Xls, Xlsx, Pdf };

struct CopyFormatInfo {
  CopyFormat format;
  FileType type;          // as a Save As dialog offers it
  const char* extension;  // ".xls"
};

// The formats in the order a Save As dialog offers them; the .xls first.
const std::vector<CopyFormatInfo>& CopyFormats();

// The Save As dialog's file types, in the order of CopyFormats.
std::vector<FileType> CopyFileTypes();

// The format a path's extension names, ignoring case; none for another extension or none.
std::optional<CopyFormat> FormatOfPath(const std::string& path);

// path with the format's extension added when it does not end with it already.
std::string WithExtension(const std::string& path, CopyFormat format);

// Where and in which format a Save As choice is written.
struct CopyTarget {
  std::string path;
  CopyFormat format;
};
// A name ending in .xls, .xlsx or .pdf (any case) is written in that format as typed; any
// other name in the chosen type's format (the first type when the list has no such
// type), with ".xlsx" or ".pdf" added for those two and an .xls name kept as typed.
CopyTarget TargetOfChoice(const SaveChoice& choice);

// Writes the report's workbook at source to target in format, whole or not at all: the
// .xls as a copy of its bytes; an .xlsx or PDF by opening it in a new instance of the
// spreadsheet application and saving or exporting it from there. Throws (AutomationError,
// FileError) when the copy cannot be made; target is then as it was.
void SaveReportCopy(ApplicationFactory& factory, FileSystem& files, const std::string& source,
                    const std::string& target, CopyFormat format);

}  // namespace tallowmere
