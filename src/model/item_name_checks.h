#pragma once
// The tests a name typed for a new or renamed item must pass, as the item commands make
// them. The commands decide their order and their messages.

#include <string_view>

#include "model/template_model.h"

namespace tallowmere {

// Nothing but blanks (or nothing at all): the command does nothing.
bool IsBlankName(std::string_view answer);

// Fewer than three characters as the user sees them, blanks included.
bool IsTooShortName(std::string_view answer);

// An item of the table already bears the name (compared by match form).
bool IsNameInUse(const TemplateModel& model, std::string_view answer);

}  // namespace tallowmere
