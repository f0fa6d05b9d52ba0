// Paper size codes (the host's DMPAPER_ codes) and the papers of CUPS. A
// paper is known by its size: the whole DMPAPER_ table is kept as sizes, and
// a CUPS media name stands for the code whose size it has.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plamor::paper {

// First of the codes a printer gives its own papers (DMPAPER_USER): a paper
// whose size is no standard one gets this code plus its place in the
// printer's list of supported media.
constexpr std::uint16_t kFirstPrinterPaperCode = 256;

// A paper size in hundredths of a millimetre, as CUPS measures paper: the
// width across the feed, the length along it.
struct PaperSize {
  int width;
  int length;
};

// The size a CUPS media name stands for: a PWG self-describing name, a PPD
// PageSize keyword or a legacy name, also with a suffix such as ".Borderless".
std::optional<PaperSize> SizeOfMediaName(std::string_view media);

// True when two sizes are the same paper: each side within a millimetre,
// which covers the rounding of PPD sizes to points and of inch sizes to
// hundredths of a millimetre.
bool SameSize(PaperSize a, PaperSize b);

// The standard code of a paper of this size (the nearest within the
// tolerance of SameSize), or nullopt.
std::optional<std::uint16_t> CodeOfSize(PaperSize size);

// The standard code a media name stands for, or nullopt.
std::optional<std::uint16_t> CodeOfMediaName(std::string_view media);

// A media name for a standard code, for a printer that lists no papers of
// its own: the PWG name of that size, or nullopt for a code the table lacks.
std::optional<std::string> MediaNameOfCode(std::uint16_t code);

}  // namespace plamor::paper
