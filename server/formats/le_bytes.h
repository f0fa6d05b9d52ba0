// Little-endian numbers in byte strings, as the standard drawing file stores them.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace plamor::le {

static_assert(std::endian::native == std::endian::little, "the drawing file is little-endian");

template <typename T>
void Append(std::string& out, T value) {
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.append(bytes, sizeof(T));
}

inline void AppendInt16(std::string& out, std::int16_t v) { Append(out, v); }
inline void AppendInt32(std::string& out, std::int32_t v) { Append(out, v); }
inline void AppendDouble(std::string& out, double v) { Append(out, v); }

// Reads a T at `offset` of bytes; the caller has checked the length.
template <typename T>
T Read(std::string_view bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

}  // namespace plamor::le
