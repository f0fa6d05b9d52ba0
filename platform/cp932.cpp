#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace plamor::cp932 {
namespace {

// One converter per direction and thread, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; a sequence the target cannot hold becomes "?" and the
  // input skips the `skip(position, bytes left)` bytes of that character.
  template <typename Skip>
  std::string Convert(std::string_view in, Skip skip) {
    std::string out;
    out.resize(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = 0;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (srcLeft > 0) {
      char* dst = out.data() + used;
      size_t dstLeft = out.size() - used;
      size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      used = out.size() - dstLeft;
      if (r != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ or EINVAL: not representable or not valid input.
      if (out.size() - used < 1) out.resize(out.size() * 2);
      out[used++] = '?';
      size_t n = skip(src, srcLeft);
      src += n;
      srcLeft -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

// Length of the UTF-8 character starting at `p`: its lead byte's length, cut
// short where the continuation bytes stop; an invalid lead byte counts 1.
size_t Utf8SequenceLength(const char* p, size_t left) {
  const auto lead = static_cast<unsigned char>(p[0]);
  size_t n = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 1;
  size_t len = 1;
  while (len < n && len < left && (static_cast<unsigned char>(p[len]) & 0xC0) == 0x80) ++len;
  return len;
}

size_t Cp932SequenceLength(const char* p, size_t left) {
  size_t n = IsLeadByte(static_cast<unsigned char>(p[0])) ? 2 : 1;
  return n > left ? left : n;
}

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// Characters that Linux text writes with other code points than the
// Windows code page maps: the wave dash, the double vertical line, the minus
// sign, and the cent, pound and not signs. They are the same characters to a
// Japanese user, so they are written as their CP932 forms.
std::string NormaliseForCp932(std::string_view utf8) {
  static const struct { const char* from; const char* to; } kMap[] = {
      {"\xE3\x80\x9C", "\xEF\xBD\x9E"},  // U+301C -> U+FF5E
      {"\xE2\x80\x96", "\xE2\x88\xA5"},  // U+2016 -> U+2225
      {"\xE2\x88\x92", "\xEF\xBC\x8D"},  // U+2212 -> U+FF0D
      {"\xC2\xA2", "\xEF\xBF\xA0"},      // U+00A2 -> U+FFE0
      {"\xC2\xA3", "\xEF\xBF\xA1"},      // U+00A3 -> U+FFE1
      {"\xC2\xAC", "\xEF\xBF\xA2"},      // U+00AC -> U+FFE2
  };
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    bool replaced = false;
    for (const auto& m : kMap) {
      std::string_view f(m.from);
      if (utf8.substr(i, f.size()) == f) {
        out += m.to;
        i += f.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += utf8[i++];
  }
  return out;
}

}  // namespace

std::string FromUtf8(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  thread_local Converter toCp932("CP932", "UTF-8");
  return toCp932.Convert(NormaliseForCp932(utf8), Utf8SequenceLength);
}

std::string ToUtf8(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  thread_local Converter toUtf8("UTF-8", "CP932");
  return toUtf8.Convert(text, Cp932SequenceLength);
}

std::size_t ByteLength(std::string_view utf8) {
  if (IsAscii(utf8)) return utf8.size();
  return FromUtf8(utf8).size();
}

bool IsSingleByteText(std::string_view utf8) {
  if (IsAscii(utf8)) return true;
  for (unsigned char c : FromUtf8(utf8))
    if (IsLeadByte(c)) return false;
  return true;
}

}  // namespace plamor::cp932
