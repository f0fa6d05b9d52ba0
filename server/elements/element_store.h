// The drawing's elements in registration order, each filed under its kind key
// (SEN1, EN12, MOJI3 ...), with the kind counters and, while duplicates are
// refused, the search keys already registered.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/elements/search_key_set.h"
#include "server/elements/z_element.h"

namespace plamor {

// The six kinds of registration, each with its key prefix and counter.
enum class RegKind : std::uint8_t { Sen, En, Enko, Daen, Daenko, Moji };
inline constexpr std::size_t kRegKindCount = 6;

// "SEN", "EN", "ENKO", "DAEN", "DAENKO", "MOJI".
std::string_view KeyPrefix(RegKind kind);

class ElementStore {
 public:
  // Files the element as the kind's next key and returns its position (1-based).
  std::int32_t Add(RegKind kind, std::unique_ptr<clsZElement> element);

  // Registers a search key; false when it is registered already.
  bool AddSearchKey(std::string_view key);

  // Empties the store and the search keys and sets every counter to 0.
  void Clear();

  std::int32_t Count() const { return static_cast<std::int32_t>(elements_.size()); }
  // The element at a position 1..Count.
  // The element at a position 1..Count; another position is a subscript error.
  clsZElement& At(std::int32_t position);
  const clsZElement& At(std::int32_t position) const;
  // The element filed under a key such as "SEN12"; nullptr when there is none.
  clsZElement* Find(std::string_view key);
  // The key the element at a position is filed under.
  std::string KeyAt(std::int32_t position) const;

  std::int32_t Counter(RegKind kind) const { return counters_[static_cast<std::size_t>(kind)]; }
  std::int32_t CircleFamilyCount() const;

  const std::vector<std::unique_ptr<clsZElement>>& Elements() const { return elements_; }

 private:
  std::vector<std::unique_ptr<clsZElement>> elements_;
  // Per kind, the store position (0-based) of counter value n at index n - 1.
  std::array<std::vector<std::int32_t>, kRegKindCount> positions_;
  std::array<std::int32_t, kRegKindCount> counters_{};
  SearchKeySet searchKeys_;
};

}  // namespace plamor
