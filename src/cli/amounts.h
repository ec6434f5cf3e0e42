#pragma once
// The numbers of a plan on the command line: the stored ones, then --amounts,
// --opening-cash and --week1 in their place.

#include "cli/options.h"
#include "model/template_model.h"
#include "platform/settings_store.h"

namespace tallowmere::cli {

// Loads the stored numbers into model (stored rules only for the stored table, not for a
// list given with --items), then applies the options. Throws std::runtime_error saying
// what is refused: a damaged store, an unreadable or refused amounts file (with its line),
// a bad amount or date. Nothing of a refused file is taken.
void ApplyAmountOptions(const GenerateOptions& options, SettingsStore& store, TemplateModel& model);

}  // namespace tallowmere::cli
