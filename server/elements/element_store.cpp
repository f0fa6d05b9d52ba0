#include "server/elements/element_store.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "server/automation_error.h"

namespace plamor {

namespace {

constexpr std::array<std::string_view, kRegKindCount> kPrefixes = {"SEN",  "EN",     "ENKO",
                                                                   "DAEN", "DAENKO", "MOJI"};

std::size_t Index(RegKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

std::string_view KeyPrefix(RegKind kind) { return kPrefixes[Index(kind)]; }

std::int32_t ElementStore::Add(RegKind kind, std::unique_ptr<clsZElement> element) {
  std::int32_t& counter = counters_[Index(kind)];
  if (counter == std::numeric_limits<std::int32_t>::max() ||
      elements_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw AutomationError(kErrOverflow, "Overflow: the drawing holds too many elements");
  }
  positions_[Index(kind)].push_back(static_cast<std::int32_t>(elements_.size()));
  elements_.push_back(std::move(element));
  ++counter;
  return Count();
}

bool ElementStore::AddSearchKey(std::string_view key) { return searchKeys_.Insert(key); }

void ElementStore::Clear() {
  elements_.clear();
  elements_.shrink_to_fit();
  for (auto& p : positions_) {
    p.clear();
    p.shrink_to_fit();
  }
  searchKeys_.Clear();
  counters_.fill(0);
}

clsZElement* ElementStore::Find(std::string_view key) {
  // A prefix counts only when a counter value follows it, so "DAENKO3" is an
  // elliptical arc, not an ellipse.
  for (std::size_t k = 0; k < kRegKindCount; ++k) {
    const std::string_view prefix = kPrefixes[k];
    if (key.size() <= prefix.size() || key.substr(0, prefix.size()) != prefix) continue;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.front() == '0' || digits.front() == '+' || digits.front() == '-') continue;
    std::int32_t n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error != std::errc() || end != digits.data() + digits.size() || n < 1) continue;
    const auto& positions = positions_[k];
    if (static_cast<std::size_t>(n) > positions.size()) return nullptr;
    return elements_[static_cast<std::size_t>(positions[static_cast<std::size_t>(n - 1)])].get();
  }
  return nullptr;
}

const clsZElement& ElementStore::At(std::int32_t position) const {
  if (position < 1 || position > Count()) {
    throw AutomationError(kErrSubscriptOutOfRange, "Subscript out of range: no element at position " +
                                                       std::to_string(position));
  }
  return *elements_[static_cast<std::size_t>(position - 1)];
}

clsZElement& ElementStore::At(std::int32_t position) {
  return const_cast<clsZElement&>(static_cast<const ElementStore&>(*this).At(position));
}

std::string ElementStore::KeyAt(std::int32_t position) const {
  At(position);  // raises the subscript error for a position outside the store
  const std::int32_t target = position - 1;
  for (std::size_t k = 0; k < kRegKindCount; ++k) {
    const auto& positions = positions_[k];
    // Positions of one kind grow with its counter, so a binary search finds it.
    const auto it = std::lower_bound(positions.begin(), positions.end(), target);
    if (it != positions.end() && *it == target) {
      return std::string(kPrefixes[k]) + std::to_string(it - positions.begin() + 1);
    }
  }
  return {};  // not reached: every stored position belongs to one kind
}

std::int32_t ElementStore::CircleFamilyCount() const {
  return counters_[Index(RegKind::En)] + counters_[Index(RegKind::Enko)] +
         counters_[Index(RegKind::Daen)] + counters_[Index(RegKind::Daenko)];
}

}  // namespace plamor
