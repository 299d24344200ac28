// SPDX-License-Identifier: MIT
#pragma once
// The cells of an elevation grid: either held in memory of their own, or a
// read-only view of a decoded copy of altitude.dat mapped from the cache
// folder, so that a run that shows a small part of a large grid reads only
// the pages it draws. Read access never copies; any change first copies a
// mapped grid into memory of its own (the cache file is never written
// through the mapping).
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace kavalo {

// Leaves new elements uninitialised: the cells are filled by the expansion
// right after they are sized, and clearing 64 MB first would only cost time.
template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
  template <typename U>
  struct rebind {
    using other = DefaultInitAllocator<U>;
  };
  using std::allocator<T>::allocator;
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

class CellVector {
 public:
  using value_type = int32_t;
  using Owned = std::vector<int32_t, DefaultInitAllocator<int32_t>>;

  CellVector() = default;
  CellVector(std::initializer_list<int32_t> cells) : owned_(cells) {}
  CellVector& operator=(std::initializer_list<int32_t> cells) {
    mapping_.reset();
    owned_.assign(cells);
    return *this;
  }

  // A view of count cells at data, kept alive by keeper (the mapping).
  static CellVector mapped(std::shared_ptr<const void> keeper, const int32_t* data, size_t count) {
    CellVector v;
    v.mapping_ = std::move(keeper);
    v.mapped_ = data;
    v.mappedCount_ = count;
    return v;
  }
  bool isMapped() const { return mapping_ != nullptr; }

  size_t size() const { return mapping_ ? mappedCount_ : owned_.size(); }
  bool empty() const { return size() == 0; }
  const int32_t* data() const { return mapping_ ? mapped_ : owned_.data(); }
  const int32_t* begin() const { return data(); }
  const int32_t* end() const { return data() + size(); }
  const int32_t& operator[](size_t i) const { return data()[i]; }

  int32_t* data() { return own().data(); }
  int32_t* begin() { return own().data(); }
  int32_t* end() { return own().data() + owned_.size(); }
  int32_t& operator[](size_t i) { return own()[i]; }

  void resize(size_t n) { own().resize(n); }
  void assign(size_t n, int32_t v) {
    mapping_.reset();
    owned_.assign(n, v);
  }
  template <typename It>
  void assign(It first, It last) {
    mapping_.reset();
    owned_.assign(first, last);
  }
  void push_back(int32_t v) { own().push_back(v); }
  void clear() {
    mapping_.reset();
    owned_.clear();
  }

 private:
  Owned& own() {
    if (mapping_) {
      owned_.assign(mapped_, mapped_ + mappedCount_);
      mapping_.reset();
    }
    return owned_;
  }

  Owned owned_;
  std::shared_ptr<const void> mapping_;
  const int32_t* mapped_ = nullptr;
  size_t mappedCount_ = 0;
};

}  // namespace kavalo
