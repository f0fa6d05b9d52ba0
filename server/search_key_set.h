// The search keys registered while duplicates are refused, held compactly: a
// million line keys take some tens of megabytes, not hundreds. Line and circle
// keys are kept with their fixed hexadecimal part as bytes, which is a
// one-to-one form of the same text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plamor {

class SearchKeySet {
 public:
  // Adds the key; false when it is there already.
  bool Insert(std::string_view key);
  void Clear();
  std::size_t Size() const { return size_; }

 private:
  struct Slot {
    std::uint64_t hash = 0;
    std::uint64_t ref = 0;  // 0: empty; else 1 + chunk << 32 | offset of the stored key
  };
  std::string_view Stored(std::uint64_t ref) const;
  std::uint64_t Store(std::string_view packed);
  void Grow();

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t chunkUsed_ = 0;
  std::string packed_;  // the key being added, in its stored form
};

}  // namespace plamor
