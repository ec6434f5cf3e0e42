#pragma once
// The two commands of tallowmere-cli. Each returns the program's exit status: 0 done,
// 1 done with errors reported on stderr, 2 refused before anything was written.

#include "cli/options.h"
#include "platform/settings_store.h"

namespace tallowmere::cli {

// Parameters and items from store (only read), overridden by options; the start check;
// the report through a temporary workbook that is copied to options.out and removed.
int RunGenerate(const GenerateOptions& options, SettingsStore& store);

// The picture of the active sheet's used range of options.in, written to options.out.
int RunPicture(const PictureOptions& options);

}  // namespace tallowmere::cli
