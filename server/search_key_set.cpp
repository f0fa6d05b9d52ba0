#include "server/search_key_set.h"

#include <cstring>
#include <functional>
#include <string>

namespace plamor {

namespace {

constexpr std::size_t kChunkSize = 1 << 20;
constexpr std::size_t kLengthBytes = 4;

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

std::string_view SearchKeySet::Stored(std::uint64_t ref) const {
  const std::uint64_t at = ref - 1;
  const char* p = chunks_[at >> 32].get() + (at & 0xFFFFFFFFu);
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
  const std::uint64_t ref = (static_cast<std::uint64_t>(chunks_.size() - 1) << 32 | chunkUsed_) + 1;
  chunkUsed_ += need;
  return ref;
}

void SearchKeySet::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.ref == 0) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].ref != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

bool SearchKeySet::Insert(std::string_view key) {
  if ((size_ + 1) * 4 > slots_.size() * 3) Grow();
  Pack(key, packed_);
  const std::string_view packed = packed_;
  const std::uint64_t hash = std::hash<std::string_view>{}(packed);
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].ref != 0) {
    if (slots_[i].hash == hash && Stored(slots_[i].ref) == packed) return false;
    i = (i + 1) & mask;
  }
  slots_[i] = Slot{hash, Store(packed)};
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
