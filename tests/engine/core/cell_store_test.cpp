// The cell store must answer exactly as a map keyed by (row, column) would: the same
// cells in the same row-major order, the same bounds, erasing and clearing alike.
#include "engine/core/cell_store.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace tallowmere::engine {
namespace {

using Key = std::pair<int, int>;

std::vector<std::pair<Key, std::string>> Contents(const CellStore<std::string>& store) {
  std::vector<std::pair<Key, std::string>> out;
  for (const auto& [key, value] : store) out.emplace_back(key, value);
  return out;
}

std::vector<std::pair<Key, std::string>> Contents(const std::map<Key, std::string>& map) {
  return {map.begin(), map.end()};
}

// The key an iterator points at, or {-1, -1} at the end.
template <typename It, typename Container>
Key At(It it, const Container& container) {
  return it == container.end() ? Key{-1, -1} : it->first;
}

TEST(CellStore, BehavesLikeAMapUnderRandomEdits) {
  std::mt19937 random(7);
  // Positions cluster at block and sheet edges, where the bookkeeping can slip.
  const std::vector<int> rows = {0, 1, 2, 3, 31, 32, 33, 1000, 65535, 65536};
  const std::vector<int> columns = {0, 1, 2, 15, 16, 17, 31, 32, 100, 255, 256};
  auto pick = [&](const std::vector<int>& from) { return from[random() % from.size()]; };
  CellStore<std::string> store;
  std::map<Key, std::string> map;
  for (int step = 0; step < 4000; ++step) {
    const Key key{pick(rows), pick(columns)};
    switch (random() % 6) {
      case 0: store[key] = map[key] = std::to_string(step); break;
      case 1: EXPECT_EQ(store.try_emplace(key).second, map.try_emplace(key).second); break;
      case 2:
        store.emplace_hint(store.end(), key, "h");
        map.emplace_hint(map.end(), key, "h");
        break;
      case 3: {
        auto s = store.lower_bound(key);
        auto m = map.lower_bound(key);
        ASSERT_EQ(At(s, store), At(m, map));
        if (m != map.end()) {
          ASSERT_EQ(At(store.erase(s), store), At(map.erase(m), map));
        }
        break;
      }
      case 4: ASSERT_EQ(At(store.upper_bound(key), store), At(map.upper_bound(key), map)); break;
      default: ASSERT_EQ(store.find(key) != store.end(), map.count(key) == 1); break;
    }
    ASSERT_EQ(store.size(), map.size());
  }
  EXPECT_EQ(Contents(store), Contents(map));
  EXPECT_EQ(At(store.upper_bound({5, INT_MAX}), store), At(map.upper_bound({5, INT_MAX}), map));
  EXPECT_EQ(At(store.lower_bound({-3, -3}), store), At(map.lower_bound({-3, -3}), map));

  const CellStore<std::string> copy = store;
  EXPECT_EQ(Contents(copy), Contents(map));
  store.clear();
  EXPECT_TRUE(store.empty());
  EXPECT_EQ(store.begin(), store.end());
  EXPECT_EQ(Contents(copy), Contents(map)) << "a copy owns its cells";
}

TEST(CellStore, CellsStayPutAndPositionsOffTheSheetAreRefused) {
  CellStore<std::string> store;
  std::string& first = store[{10, 5}];
  first = "kept";
  for (int column = 1; column <= 256; ++column) store.try_emplace({10, column});
  for (int row = 1; row <= 300; ++row) store.try_emplace({row, 7});
  EXPECT_EQ(first, "kept") << "a cell never moves when others are made";
  EXPECT_EQ(&first, &store.find({10, 5})->second);
  EXPECT_THROW(store[Key(65537, 1)], std::out_of_range);
  EXPECT_THROW(store[Key(1, 257)], std::out_of_range);
  EXPECT_THROW(store[Key(-1, 1)], std::out_of_range);
  EXPECT_EQ(store.find({1, 300}), store.end());
}

}  // namespace
}  // namespace tallowmere::engine
