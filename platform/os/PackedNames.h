#pragma once
// Names packed one after another in one buffer: what a listing that needs
// nothing but names holds. A million names of a camera dump take some 19 MB
// here, against a record and a heap block each elsewhere. Lists can share
// one buffer: a selection of another list's names copies no name.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Invariant: the i-th name starts at (*text_)[starts_[i]] and ends at the
// next terminating zero; the text holds names of this list and of lists it
// shares the text with, and is changed only while this list alone holds it.
class PackedNames {
 public:
  PackedNames() : text_(std::make_shared<std::string>()) {}

  // Appends a name (without any zero byte in it). False, adding nothing,
  // once the text would pass 4 GiB, which the starts cannot reach.
  bool Add(std::string_view name) {
    if (text_->size() + name.size() + 1 > UINT32_MAX) return false;
    if (text_.use_count() > 1) text_ = std::make_shared<std::string>(*text_);
    starts_.push_back(static_cast<uint32_t>(text_->size()));
    text_->append(name.data(), name.size());
    text_->push_back('\0');
    return true;
  }
  void Reserve(size_t names, size_t textBytes) {
    starts_.reserve(names);
    text_->reserve(textBytes);
  }

  // Gives back the room the buffers took beyond the names, once no more
  // are added: a listing grows them by doubling.
  void ShrinkToFit() {
    starts_.shrink_to_fit();
    if (text_.use_count() == 1) text_->shrink_to_fit();
  }

  // The text the names lie in, to keep them after the list is gone.
  std::shared_ptr<const std::string> Text() const { return text_; }

  size_t Count() const { return starts_.size(); }
  bool Empty() const { return starts_.empty(); }
  const char* operator[](size_t i) const { return text_->data() + starts_[i]; }

  // Puts the names in the order given: the i-th name becomes the one that
  // stood at order[i], `order` holding each position once. Only where each
  // name starts moves; the text stays as it is.
  //   "b" "c" "a", order {2, 0, 1} => "a" "b" "c"
  void Reorder(const std::vector<uint32_t>& order);

  // The names for which keep(name) is true, in their order, in a list that
  // shares this one's text.
  template <typename Keep>
  PackedNames Selected(Keep keep) const {
    PackedNames selected;
    selected.text_ = text_;
    for (const uint32_t start : starts_) {
      if (keep(text_->data() + start)) selected.starts_.push_back(start);
    }
    selected.starts_.shrink_to_fit();
    return selected;
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
  std::shared_ptr<std::string> text_;
  std::vector<uint32_t> starts_;
};
