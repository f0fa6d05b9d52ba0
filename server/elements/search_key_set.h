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
  // A slot: 24 bits of the key's hash above the reference of the stored key
  // (1 + chunk << 20 | offset; 0 marks an empty slot).
  using Slot = std::uint64_t;
  std::string_view Stored(Slot slot) const;
  std::uint64_t Store(std::string_view packed);
  void Grow();
  void Place(Slot slot, std::uint64_t hash);

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t chunkUsed_ = 0;
  std::string packed_;  // the key being added, in its stored form
};

}  // namespace plamor
