#include "tools/kvd_builder/kvd_image.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kvd {
namespace {

void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

void KvdImage::SetGlyph(std::uint16_t jis, std::vector<std::uint16_t> words) {
  if (!IsIndexCode(jis)) throw std::invalid_argument("JIS code outside the index");
  if (words.size() > kMaxGlyphWords) throw std::invalid_argument("glyph of more than 255 words");
  if (words.empty())
    glyphs_.erase(jis);
  else
    glyphs_[jis] = std::move(words);
}

std::vector<std::uint8_t> KvdImage::Bytes() const {
  std::vector<std::uint8_t> bytes(kIndexEnd, 0);
  PutLe32(bytes, 0, static_cast<std::uint32_t>(glyphs_.size()));
  for (const auto& [jis, words] : glyphs_) {
    const std::size_t offset = bytes.size();
    if (offset + 2 * words.size() > (std::size_t{1} << 24))
      throw std::length_error("glyph data beyond the 24-bit offsets of the index");
    PutLe32(bytes, IndexEntryOffset(jis), static_cast<std::uint32_t>(words.size() << 24 | offset));
    for (const std::uint16_t word : words) {
      bytes.push_back(static_cast<std::uint8_t>(word));
      bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
  }
  return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  const auto fail = [&](const std::string& what) {
    throw std::runtime_error("cannot write " + path.string() + ": " + what + ": " +
                             std::strerror(errno));
  };
  std::string temporary = path.string() + ".partial-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) fail("cannot create a file in its folder");
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = errno;
      ::close(fd);
      std::remove(temporary.c_str());
      errno = error;
      fail("write failed");
    }
    written += static_cast<std::size_t>(n);
  }
  const bool finished = ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !finished) {
    const int error = errno;
    std::remove(temporary.c_str());
    errno = error;
    fail("cannot finish the file");
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    std::remove(temporary.c_str());
    errno = error;
    fail("cannot put the file in place");
  }
}

}  // namespace kvd
