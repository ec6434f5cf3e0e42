// The tests of a typed item name: blank, too short, already in use.
#include "model/item_name_checks.h"

#include <gtest/gtest.h>

#include "model/item_list_view.h"

namespace tallowmere {
namespace {

TEST(ItemNameChecks, BlankAndShortCountWhatTheUserSees) {
  for (const char* blank : {"", " ", "   "}) EXPECT_TRUE(IsBlankName(blank)) << '"' << blank << '"';
  EXPECT_FALSE(IsBlankName(" a "));
  const struct {
    const char* answer;
    bool tooShort;
  } cases[] = {{"ab", true},
               {"abc", false},
               {" a ", false},              // blanks count
               {"\xC3\xA9\xC3\xA8", true},  // two accented letters
               {"\xC3\xA9\xC3\xA8\xC3\xA0", false},
               {"\xF0\x9F\x98\x80"
                "a",
                false}};  // beyond the basic plane: two
  for (const auto& c : cases) EXPECT_EQ(IsTooShortName(c.answer), c.tooShort) << c.answer;
}

TEST(ItemNameChecks, NamesInUseCompareByMatchForm) {
  VectorListView list;
  TemplateModel model(list);
  model.InsertItem("Repairs & maintenance", 0);
  EXPECT_TRUE(IsNameInUse(model, "Repairs & maintenance"));
  EXPECT_TRUE(IsNameInUse(model, "Repairs  maintenance"));  // the first "&" does not count
  EXPECT_FALSE(IsNameInUse(model, "repairs & maintenance"));
}

}  // namespace
}  // namespace tallowmere
