#pragma once
// The cells of a sheet by (row, column), read and written the way a std::map keyed by
// (row, column) would be, in row-major order. They are kept row by row in blocks of 16
// neighbouring columns, so that formatting or writing out a large range walks memory in
// order instead of chasing tree nodes. A cell never moves once made: references to it
// stay valid until it is erased.

#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/formula/formula.h"

namespace tallowmere::engine {

template <typename T>
class CellStore {
 public:
  using key_type = std::pair<int, int>;  // row, column
  using value_type = std::pair<const key_type, T>;

  template <bool IsConst>
  class Iterator {
   public:
    using Store = std::conditional_t<IsConst, const CellStore, CellStore>;
    using iterator_category = std::forward_iterator_tag;
    using difference_type = std::ptrdiff_t;
    using value_type = CellStore::value_type;
    using reference = std::conditional_t<IsConst, const value_type&, value_type&>;
    using pointer = std::conditional_t<IsConst, const value_type*, value_type*>;
    Iterator() = default;
    Iterator(Store* store, key_type at) : store_(store), at_(at) {}
    operator Iterator<true>() const { return {store_, at_}; }
    reference operator*() const { return store_->Slot(at_); }
    pointer operator->() const { return &store_->Slot(at_); }
    Iterator& operator++() {
      at_ = store_->Seek(at_.first, at_.second + 1);
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }

   private:
    Store* store_ = nullptr;
    key_type at_{};
  };
  using iterator = Iterator<false>;
  using const_iterator = Iterator<true>;

  CellStore() = default;
  CellStore(const CellStore& other) { *this = other; }
  CellStore& operator=(const CellStore& other) {
    if (this == &other) return *this;
    clear();
    for (const auto& [key, value] : other) Make(key, value);
    return *this;
  }
  CellStore(CellStore&&) noexcept = default;
  CellStore& operator=(CellStore&&) noexcept = default;

  iterator begin() { return {this, Seek(0, 0)}; }
  iterator end() { return {this, End()}; }
  const_iterator begin() const { return {this, Seek(0, 0)}; }
  const_iterator end() const { return {this, End()}; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  iterator find(key_type key) { return Has(key) ? iterator{this, key} : end(); }
  const_iterator find(key_type key) const { return Has(key) ? const_iterator{this, key} : end(); }
  // The first cell at or after key, or after it, in row-major order.
  iterator lower_bound(key_type key) { return {this, SeekFrom(key)}; }
  const_iterator lower_bound(key_type key) const { return {this, SeekFrom(key)}; }
  iterator upper_bound(key_type key) { return {this, SeekAfter(key)}; }
  const_iterator upper_bound(key_type key) const { return {this, SeekAfter(key)}; }

  // The cell at key, made with a default value when missing; true when it was made.
  // Throws std::out_of_range for a position off the sheet.
  std::pair<iterator, bool> try_emplace(key_type key) {
    if (Has(key)) return {{this, key}, false};
    Make(key, T{});
    return {{this, key}, true};
  }
  T& operator[](key_type key) { return try_emplace(key).first->second; }
  // As std::map: an existing cell is kept; the hint is not needed.
  iterator emplace_hint(const_iterator, key_type key, T value) {
    if (!Has(key)) Make(key, std::move(value));
    return {this, key};
  }
  // Removes the cell; returns the one after it.
  iterator erase(iterator it) {
    const key_type key = it->first;
    Block& block = *rows_[Index(key.first)][BlockOf(key.second)];
    block.Destroy(SlotOf(key.second));
    --size_;
    return {this, Seek(key.first, key.second + 1)};
  }
  void clear() {
    rows_.clear();
    size_ = 0;
  }

 private:
  static constexpr int kBlockColumns = 16;

  struct Block {
    std::uint16_t present = 0;  // bit i: slot i holds a cell
    alignas(value_type) unsigned char storage[kBlockColumns][sizeof(value_type)];

    Block() = default;
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    ~Block() {
      for (int i = 0; i < kBlockColumns; ++i) {
        if (present & (1u << i)) Destroy(i);
      }
    }
    value_type& At(int i) { return *std::launder(reinterpret_cast<value_type*>(storage[i])); }
    const value_type& At(int i) const { return *std::launder(reinterpret_cast<const value_type*>(storage[i])); }
    void Destroy(int i) {
      At(i).~value_type();
      present = static_cast<std::uint16_t>(present & ~(1u << i));
    }
  };
  using Row = std::vector<std::unique_ptr<Block>>;

  static std::size_t Index(int n) { return static_cast<std::size_t>(n); }
  static std::size_t BlockOf(int column) { return Index(column / kBlockColumns); }
  static int SlotOf(int column) { return column % kBlockColumns; }
  static bool OnSheet(key_type key) {
    return key.first >= 0 && key.first <= kMaxRows && key.second >= 0 && key.second <= kMaxColumns;
  }
  key_type End() const { return {static_cast<int>(rows_.size()), 0}; }

  const Block* BlockAt(key_type key) const {
    if (!OnSheet(key) || Index(key.first) >= rows_.size()) return nullptr;
    const Row& row = rows_[Index(key.first)];
    return BlockOf(key.second) < row.size() ? row[BlockOf(key.second)].get() : nullptr;
  }
  bool Has(key_type key) const {
    const Block* block = BlockAt(key);
    return block && (block->present & (1u << SlotOf(key.second)));
  }
  value_type& Slot(key_type key) { return rows_[Index(key.first)][BlockOf(key.second)]->At(SlotOf(key.second)); }
  const value_type& Slot(key_type key) const {
    return rows_[Index(key.first)][BlockOf(key.second)]->At(SlotOf(key.second));
  }

  void Make(key_type key, T value) {
    if (!OnSheet(key)) throw std::out_of_range("a cell lies off the sheet");
    if (Index(key.first) >= rows_.size()) rows_.resize(Index(key.first) + 1);
    Row& row = rows_[Index(key.first)];
    if (BlockOf(key.second) >= row.size()) row.resize(BlockOf(key.second) + 1);
    std::unique_ptr<Block>& block = row[BlockOf(key.second)];
    if (!block) block = std::make_unique<Block>();
    const int slot = SlotOf(key.second);
    new (block->storage[slot]) value_type(key, std::move(value));
    block->present = static_cast<std::uint16_t>(block->present | (1u << slot));
    ++size_;
  }

  // The position of the first cell at or after (row, column) in row-major order, or End().
  key_type Seek(int row, int column) const {
    for (std::size_t r = Index(row); r < rows_.size(); ++r, column = 0) {
      const Row& cells = rows_[r];
      for (std::size_t b = BlockOf(column); b < cells.size(); ++b) {
        const Block* block = cells[b].get();
        if (!block) continue;
        const int from = b == BlockOf(column) ? SlotOf(column) : 0;
        const unsigned waiting = block->present & (~0u << from);
        if (waiting) return {static_cast<int>(r), static_cast<int>(b) * kBlockColumns + std::countr_zero(waiting)};
      }
    }
    return End();
  }
  key_type SeekFrom(key_type key) const {
    if (key.first < 0) return Seek(0, 0);
    if (key.second < 0) key.second = 0;
    if (key.first > kMaxRows) return End();
    if (key.second > kMaxColumns) return Seek(key.first + 1, 0);
    return Seek(key.first, key.second);
  }
  key_type SeekAfter(key_type key) const {
    if (key.second >= kMaxColumns) return key.first >= kMaxRows ? End() : SeekFrom({key.first + 1, 0});
    return SeekFrom({key.first, key.second + 1});
  }

  std::vector<Row> rows_;  // by row number; a row holds blocks by column / 16
  std::size_t size_ = 0;
};

}  // namespace tallowmere::engine
