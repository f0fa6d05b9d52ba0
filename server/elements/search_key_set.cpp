#include "server/elements/search_key_set.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

namespace plamor {

namespace {

constexpr unsigned kOffsetBits = 20;
constexpr std::size_t kChunkSize = std::size_t{1} << kOffsetBits;
constexpr unsigned kRefBits = 40;
constexpr std::uint64_t kRefMask = (std::uint64_t{1} << kRefBits) - 1;
constexpr std::size_t kLengthBytes = 4;

std::uint64_t HashOf(std::string_view packed) { return std::hash<std::string_view>{}(packed); }
std::uint64_t TagOf(std::uint64_t hash) { return hash >> kRefBits; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "Sen" + 80 hex digits + tail and "En" + 128 hex digits + tail become a tag
// byte, the digits as bytes and the tail; any other key is kept as it is
// behind its own tag. Distinct keys stay distinct.
void Pack(std::string_view key, std::string& packed) {
  struct Form {
    std::string_view prefix;
    std::size_t hexDigits;
    char tag;
  };
  static constexpr Form kForms[] = {{"Sen", 80, 'S'}, {"En", 128, 'E'}};
  for (const Form& form : kForms) {
    if (key.size() < form.prefix.size() + form.hexDigits || !key.starts_with(form.prefix)) continue;
    const std::string_view hex = key.substr(form.prefix.size(), form.hexDigits);
    packed.assign(1, form.tag);
    bool allHex = true;
    for (std::size_t i = 0; i < hex.size() && allHex; i += 2) {
      const int high = HexValue(hex[i]), low = HexValue(hex[i + 1]);
      allHex = high >= 0 && low >= 0;
      packed += static_cast<char>(high * 16 + low);
    }
    if (!allHex) break;
    packed += key.substr(form.prefix.size() + form.hexDigits);
    return;
  }
  packed.assign(1, 'T');
  packed += key;
}

}  // namespace

std::string_view SearchKeySet::Stored(Slot slot) const {
  const std::uint64_t at = (slot & kRefMask) - 1;
  const char* p = chunks_[at >> kOffsetBits].get() + (at & (kChunkSize - 1));
  std::uint32_t length;
  std::memcpy(&length, p, kLengthBytes);
  return {p + kLengthBytes, length};
}

std::uint64_t SearchKeySet::Store(std::string_view packed) {
  const std::size_t need = kLengthBytes + packed.size();
  if (chunks_.empty() || chunkUsed_ + need > kChunkSize) {
    chunks_.push_back(std::make_unique<char[]>(std::max(need, kChunkSize)));
    chunkUsed_ = 0;
  }
  char* p = chunks_.back().get() + chunkUsed_;
  const auto length = static_cast<std::uint32_t>(packed.size());
  std::memcpy(p, &length, kLengthBytes);
  std::memcpy(p + kLengthBytes, packed.data(), packed.size());
  const std::uint64_t ref = ((chunks_.size() - 1) << kOffsetBits | chunkUsed_) + 1;
  chunkUsed_ += need;
  return ref;
}

void SearchKeySet::Place(Slot slot, std::uint64_t hash) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i] != 0) i = (i + 1) & mask;
  slots_[i] = slot;
}

void SearchKeySet::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
  for (Slot slot : old) {
    if (slot != 0) Place(slot, HashOf(Stored(slot)));
  }
}

bool SearchKeySet::Insert(std::string_view key) {
  if ((size_ + 1) * 8 > slots_.size() * 7) Grow();
  Pack(key, packed_);
  const std::string_view packed = packed_;
  const std::uint64_t hash = HashOf(packed);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask; slots_[i] != 0; i = (i + 1) & mask) {
    if (TagOf(slots_[i]) == TagOf(hash) && Stored(slots_[i]) == packed) return false;
  }
  Place(TagOf(hash) << kRefBits | Store(packed), hash);
  ++size_;
  return true;
}

void SearchKeySet::Clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  chunks_.clear();
  chunks_.shrink_to_fit();
  chunkUsed_ = 0;
  size_ = 0;
}

}  // namespace plamor
