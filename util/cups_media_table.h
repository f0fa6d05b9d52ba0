// Paper size codes (the host's DMPAPER_ codes) and the CUPS media names that
// stand for them. The table itself, with its rules, is documented in
// cups_media_table.cpp.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace plamor::paper {

// First of the codes a printer gives its own papers (DMPAPER_USER): a paper
// that the table does not know gets this code plus its place in the printer's
// list of supported media.
constexpr std::uint16_t kFirstPrinterPaperCode = 256;

struct MediaKind {
  std::uint16_t code;    // DMPAPER_ code
  const char* pwg;       // PWG self-describing media name (IPP media keyword)
  const char* ppd;       // PPD PageSize keyword
  const char* nameUtf8;  // paper name shown to users
};

// Every entry of the table, in code order.
std::span<const MediaKind> MediaKinds();

// The entry of a paper size code, or nullptr.
const MediaKind* FindByCode(std::uint16_t code);

// The entry a CUPS media name stands for, or nullptr: an exact PWG name, a PPD
// name (letter case ignored), or, failing both, any name CUPS can size (PWG,
// PPD or legacy names, also with a ".Borderless"-like suffix) whose size is
// that of an entry within half a millimetre.
const MediaKind* FindByMediaName(std::string_view media);

}  // namespace plamor::paper
