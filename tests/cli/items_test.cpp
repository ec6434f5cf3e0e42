// The item list file: what is read as names, and each file refused with its reason; and
// the settings view that refuses every write.
#include "cli/items.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/store_keys.h"
#include "model/template_model.h"
#include "support/memory_settings_store.h"

namespace tallowmere::cli {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kReserved = {
    "Cash on Hand (beginning of month)", "Cash Sales", "TOTAL CASH RECEIPTS", "Total Cash Available (before cash out)",
    "Purchases (merchandise)",           "SUBTOTAL",   "TOTAL CASH PAID OUT", "Cash Position (end of month)"};

std::string Lines(const std::vector<std::string>& names, const std::string& end = "\n") {
  std::string text;
  for (const std::string& name : names) text += name + end;
  return text;
}

std::vector<std::string> Plus(std::vector<std::string> names, const std::vector<std::string>& more) {
  names.insert(names.end(), more.begin(), more.end());
  return names;
}

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

class CliItems : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("tm-cli-items-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  std::string Write(const std::string& text) const {
    const fs::path path = folder / "items.txt";
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
  }

  fs::path folder;
};

TEST_F(CliItems, ReadsOneNamePerLineInAnyOfTheUsualShapes) {
  const std::string longest = Repeat("\xC3\xA9", kMaxTextLength);  // two bytes, one UTF-16 unit each
  const struct {
    const char* what;
    std::string text;
    std::vector<std::string> names;
  } cases[] = {
      {"LF", Lines(kReserved), kReserved},
      {"CR LF", Lines(kReserved, "\r\n"), kReserved},
      {"byte-order mark", "\xEF\xBB\xBF" + Lines(kReserved, "\r\n"), kReserved},
      {"no line end at the end", Lines(kReserved) + "Rent", Plus(kReserved, {"Rent"})},
      {"empty lines", "\n\r\n" + Lines(kReserved, "\n\n") + "\r\n", kReserved},
      {"mark on an empty first line", "\xEF\xBB\xBF\r\n" + Lines(kReserved), kReserved},
      {"a mark later on is part of a name", Lines(kReserved) + "\xEF\xBB\xBFRent\n",
       Plus(kReserved, {"\xEF\xBB\xBFRent"})},
      {"spaces are kept", Lines(kReserved) + "  Rent \r\n", Plus(kReserved, {"  Rent "})},
      {"the longest name", Lines(kReserved) + longest + "\r\n", Plus(kReserved, {longest})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ReadItemNames(Write(c.text)), c.names);
  }
}

TEST_F(CliItems, RefusesFilesThatHoldNoUsableTable) {
  const std::string where = "The item list " + (folder / "items.txt").string();
  std::vector<std::string> tooMany;
  for (int i = static_cast<int>(kReserved.size()); i <= kMaxItems; ++i) tooMany.push_back("Item " + std::to_string(i));
  const std::string tooLong = where + " holds a name longer than 32767 characters";
  const struct {
    const char* what;
    std::string text;
    std::string message;
  } cases[] = {
      {"empty", "", where + " holds no names"},
      {"blank lines only", "\xEF\xBB\xBF\r\n\n\r\n", where + " holds no names"},
      {"a reserved item missing", "Cash on Hand (beginning of month)\nRent\n",
       where + " has no item named \"Cash Sales\""},
      {"one name too many", Lines(Plus(kReserved, tooMany)), where + " holds more than 32767 names"},
      {"a name one unit too long", Lines(kReserved) + std::string(kMaxTextLength + 1, 'x') + "\n", tooLong},
      {"three-byte characters", Lines(kReserved) + Repeat("\xE2\x82\xAC", kMaxTextLength + 1), tooLong},
      {"a line without end", Lines(kReserved) + std::string(1 << 20, 'x'), tooLong},
      {"bytes that are not UTF-8", Lines(kReserved) + "\r\nBad \xFF\xFE name\r\n",
       where + " has text that is not UTF-8 on line 10"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      ReadItemNames(Write(c.text));
      ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST_F(CliItems, UnreadableFilesSaySo) {
  for (const fs::path& path : {folder / "absent.txt", folder}) {
    try {
      ReadItemNames(path.string());
      ADD_FAILURE() << path << " accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(e.what(), "Cannot read the item list " + path.string());
    }
  }
}

TEST(CliReadOnlyStore, AnswersTheListAsASavedTableAndRefusesEveryWrite) {
  testing::MemorySettingsStore base;
  base.Write(store_key::kCompany, "Stored Co");
  base.Write(store_key::kRows, "30");  // a stored table of its own, which the list replaces
  ReadOnlyStore store(base);
  store.OverlayItems({"A", "B"});
  EXPECT_EQ(store.Read(store_key::kCompany, ""), "Stored Co");
  VectorListView list;
  TemplateModel model(list);
  PlainParameterFields fields;
  model.LoadTemplate(false, store, fields);
  ASSERT_EQ(model.Count(), 2);
  EXPECT_EQ(model.Item(1).Name, "A");
  EXPECT_EQ(model.Item(2).Name, "B");
  EXPECT_THROW(store.Write(store_key::kCompany, "Other"), std::runtime_error);
  EXPECT_EQ(base.Read(store_key::kCompany, ""), "Stored Co");
}

}  // namespace
}  // namespace tallowmere::cli
