#pragma once
// Names packed one after another in one buffer: what a listing that needs
// nothing but names holds. A million names of a camera dump take some 19 MB
// here, against a record and a heap block each elsewhere.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

// Invariant: the i-th name starts at text_[starts_[i]] and ends at the next
// terminating zero; the text holds nothing else.
class PackedNames {
 public:
  // Appends a name (without any zero byte in it). False, adding nothing,
  // once the text would pass 4 GiB, which the starts cannot reach.
  bool Add(std::string_view name) {
    if (text_.size() + name.size() + 1 > UINT32_MAX) return false;
    starts_.push_back(static_cast<uint32_t>(text_.size()));
    text_.append(name.data(), name.size());
    text_.push_back('\0');
    return true;
  }
  void Reserve(size_t names, size_t textBytes) {
    starts_.reserve(names);
    text_.reserve(textBytes);
  }

  size_t Count() const { return starts_.size(); }
  bool Empty() const { return starts_.empty(); }
  const char* operator[](size_t i) const { return text_.data() + starts_[i]; }
  // The bytes the names take, terminators included.
  size_t TextBytes() const { return text_.size(); }

  // Puts the names in the order a file manager shows them (CompareNatural).
  // Only where each name starts moves; the text stays as it is.
  void SortInNaturalOrder();

  // Keeps the names for which keep(name) is true, in their order.
  template <typename Keep>
  void KeepOnly(Keep keep) {
    size_t kept = 0;
    for (size_t i = 0; i < starts_.size(); ++i) {
      if (keep(text_.data() + starts_[i])) starts_[kept++] = starts_[i];
    }
    starts_.resize(kept);
  }

  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = const char*;
    using difference_type = std::ptrdiff_t;
    using pointer = const char* const*;
    using reference = const char*;

    Iterator(const PackedNames& names, size_t at) : names_(&names), at_(at) {}
    const char* operator*() const { return (*names_)[at_]; }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    const PackedNames* names_;
    size_t at_;
  };
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, starts_.size()}; }

 private:
  std::string text_;
  std::vector<uint32_t> starts_;
};
