#include "model/item_name_checks.h"

namespace tallowmere {

bool IsBlankName(std::string_view answer) { return answer.find_first_not_of(' ') == std::string_view::npos; }

bool IsTooShortName(std::string_view answer) {
  // Counted in UTF-16 units, as the input box counts them: one per character, two for a
  // character beyond the basic plane (a four-byte UTF-8 sequence).
  std::size_t units = 0;
  for (unsigned char byte : answer) {
    if ((byte & 0xC0) != 0x80) ++units;
    if (byte >= 0xF0) ++units;
  }
  return units < 3;
}

bool IsNameInUse(const TemplateModel& model, std::string_view answer) { return model.FindItem(answer) > 0; }

}  // namespace tallowmere
