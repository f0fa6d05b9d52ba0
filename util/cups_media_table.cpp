#include "util/cups_media_table.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <strings.h>

namespace plamor::paper {
namespace {

// The DMPAPER_ codes and the size each stands for, width x length as the
// paper is fed. The rotated codes are the same papers fed the other way, so
// a paper listed landscape (Ledger 17 x 11 in) has its own code. A code that
// names the same paper as an earlier one (Letter Small, the transverse
// codes, envelopes of an ISO size) is an alias: a printer's paper of that
// size is reported with the earlier code.
struct PaperKind {
  std::uint16_t code;
  PaperSize size;
  bool alias;
};

constexpr PaperKind kPaperKinds[] = {
    {1, {21590, 27940}, false},  // LETTER, 8.5 x 11 in
    {2, {21590, 27940}, true},  // LETTERSMALL, 8.5 x 11 in
    {3, {27940, 43180}, false},  // TABLOID, 11 x 17 in
    {4, {43180, 27940}, false},  // LEDGER, 17 x 11 in
    {5, {21590, 35560}, false},  // LEGAL, 8.5 x 14 in
    {6, {13970, 21590}, false},  // STATEMENT, 5.5 x 8.5 in
    {7, {18415, 26670}, false},  // EXECUTIVE, 7.25 x 10.5 in
    {8, {29700, 42000}, false},  // A3, 297 x 420 mm
    {9, {21000, 29700}, false},  // A4, 210 x 297 mm
    {10, {21000, 29700}, true},  // A4SMALL, 210 x 297 mm
    {11, {14800, 21000}, false},  // A5, 148 x 210 mm
    {12, {25700, 36400}, false},  // B4 (JIS), 257 x 364 mm
    {13, {18200, 25700}, false},  // B5 (JIS), 182 x 257 mm
    {14, {21590, 33020}, false},  // FOLIO, 8.5 x 13 in
    {15, {21500, 27500}, false},  // QUARTO, 215 x 275 mm
    {16, {25400, 35560}, false},  // 10X14, 10 x 14 in
    {17, {27940, 43180}, true},  // 11X17, 11 x 17 in
    {18, {21590, 27940}, true},  // NOTE, 8.5 x 11 in
    {19, {9842, 22542}, false},  // ENV_9, 3.875 x 8.875 in
    {20, {10478, 24130}, false},  // ENV_10, 4.125 x 9.5 in
    {21, {11430, 26352}, false},  // ENV_11, 4.5 x 10.375 in
    {22, {12065, 27940}, false},  // ENV_12, 4.75 x 11 in
    {23, {12700, 29210}, false},  // ENV_14, 5 x 11.5 in
    {24, {43180, 55880}, false},  // CSHEET, 17 x 22 in
    {25, {55880, 86360}, false},  // DSHEET, 22 x 34 in
    {26, {86360, 111760}, false},  // ESHEET, 34 x 44 in
    {27, {11000, 22000}, false},  // ENV_DL, 110 x 220 mm
    {28, {16200, 22900}, false},  // ENV_C5, 162 x 229 mm
    {29, {32400, 45800}, false},  // ENV_C3, 324 x 458 mm
    {30, {22900, 32400}, false},  // ENV_C4, 229 x 324 mm
    {31, {11400, 16200}, false},  // ENV_C6, 114 x 162 mm
    {32, {11400, 22900}, false},  // ENV_C65, 114 x 229 mm
    {33, {25000, 35300}, true},  // ENV_B4, 250 x 353 mm
    {34, {17600, 25000}, false},  // ENV_B5, 176 x 250 mm
    {35, {17600, 12500}, false},  // ENV_B6, 176 x 125 mm
    {36, {11000, 23000}, false},  // ENV_ITALY, 110 x 230 mm
    {37, {9842, 19050}, false},  // ENV_MONARCH, 3.875 x 7.5 in
    {38, {9208, 16510}, false},  // ENV_PERSONAL, 3.625 x 6.5 in
    {39, {37782, 27940}, false},  // FANFOLD_US, 14.875 x 11 in
    {40, {21590, 30480}, false},  // FANFOLD_STD_GERMAN, 8.5 x 12 in
    {41, {21590, 33020}, true},  // FANFOLD_LGL_GERMAN, 8.5 x 13 in
    {42, {25000, 35300}, false},  // ISO_B4, 250 x 353 mm
    {43, {10000, 14800}, false},  // JAPANESE_POSTCARD, 100 x 148 mm
    {44, {22860, 27940}, false},  // 9X11, 9 x 11 in
    {45, {25400, 27940}, false},  // 10X11, 10 x 11 in
    {46, {38100, 27940}, false},  // 15X11, 15 x 11 in
    {47, {22000, 22000}, false},  // ENV_INVITE, 220 x 220 mm
    {50, {24130, 30480}, false},  // LETTER_EXTRA, 9.5 x 12 in
    {51, {24130, 38100}, false},  // LEGAL_EXTRA, 9.5 x 15 in
    {52, {29693, 45720}, false},  // TABLOID_EXTRA, 11.69 x 18 in
    {53, {23546, 32233}, false},  // A4_EXTRA, 9.27 x 12.69 in
    {54, {21590, 27940}, true},  // LETTER_TRANSVERSE, 8.5 x 11 in
    {55, {21000, 29700}, true},  // A4_TRANSVERSE, 210 x 297 mm
    {56, {24130, 30480}, true},  // LETTER_EXTRA_TRANSVERSE, 9.5 x 12 in
    {57, {22700, 35600}, false},  // A_PLUS, 227 x 356 mm
    {58, {30500, 48700}, false},  // B_PLUS, 305 x 487 mm
    {59, {21590, 32233}, false},  // LETTER_PLUS, 8.5 x 12.69 in
    {60, {21000, 33000}, false},  // A4_PLUS, 210 x 330 mm
    {61, {14800, 21000}, true},  // A5_TRANSVERSE, 148 x 210 mm
    {62, {18200, 25700}, true},  // B5_TRANSVERSE, 182 x 257 mm
    {63, {32200, 44500}, false},  // A3_EXTRA, 322 x 445 mm
    {64, {17400, 23500}, false},  // A5_EXTRA, 174 x 235 mm
    {65, {20100, 27600}, false},  // B5_EXTRA, 201 x 276 mm
    {66, {42000, 59400}, false},  // A2, 420 x 594 mm
    {67, {29700, 42000}, true},  // A3_TRANSVERSE, 297 x 420 mm
    {68, {32200, 44500}, true},  // A3_EXTRA_TRANSVERSE, 322 x 445 mm
    {69, {20000, 14800}, false},  // DBL_JAPANESE_POSTCARD, 200 x 148 mm
    {70, {10500, 14800}, false},  // A6, 105 x 148 mm
    {71, {24000, 33200}, false},  // JENV_KAKU2, 240 x 332 mm
    {72, {21600, 27700}, false},  // JENV_KAKU3, 216 x 277 mm
    {73, {12000, 23500}, false},  // JENV_CHOU3, 120 x 235 mm
    {74, {9000, 20500}, false},  // JENV_CHOU4, 90 x 205 mm
    {75, {27940, 21590}, false},  // LETTER_ROTATED, 11 x 8.5 in
    {76, {42000, 29700}, false},  // A3_ROTATED, 420 x 297 mm
    {77, {29700, 21000}, false},  // A4_ROTATED, 297 x 210 mm
    {78, {21000, 14800}, false},  // A5_ROTATED, 210 x 148 mm
    {79, {36400, 25700}, false},  // B4_JIS_ROTATED, 364 x 257 mm
    {80, {25700, 18200}, false},  // B5_JIS_ROTATED, 257 x 182 mm
    {81, {14800, 10000}, false},  // JAPANESE_POSTCARD_ROTATED, 148 x 100 mm
    {82, {14800, 20000}, false},  // DBL_JAPANESE_POSTCARD_ROTATED, 148 x 200 mm
    {83, {14800, 10500}, false},  // A6_ROTATED, 148 x 105 mm
    {84, {33200, 24000}, false},  // JENV_KAKU2_ROTATED, 332 x 240 mm
    {85, {27700, 21600}, false},  // JENV_KAKU3_ROTATED, 277 x 216 mm
    {86, {23500, 12000}, false},  // JENV_CHOU3_ROTATED, 235 x 120 mm
    {87, {20500, 9000}, false},  // JENV_CHOU4_ROTATED, 205 x 90 mm
    {88, {12800, 18200}, false},  // B6_JIS, 128 x 182 mm
    {89, {18200, 12800}, false},  // B6_JIS_ROTATED, 182 x 128 mm
    {90, {30480, 27940}, false},  // 12X11, 12 x 11 in
    {91, {10500, 23500}, false},  // JENV_YOU4, 105 x 235 mm
    {92, {23500, 10500}, false},  // JENV_YOU4_ROTATED, 235 x 105 mm
    {93, {14600, 21500}, false},  // P16K, 146 x 215 mm
    {94, {9700, 15100}, false},  // P32K, 97 x 151 mm
    {95, {9700, 15100}, true},  // P32KBIG, 97 x 151 mm
    {96, {10200, 16500}, false},  // PENV_1, 102 x 165 mm
    {97, {10200, 17600}, false},  // PENV_2, 102 x 176 mm
    {98, {12500, 17600}, false},  // PENV_3, 125 x 176 mm
    {99, {11000, 20800}, false},  // PENV_4, 110 x 208 mm
    {100, {11000, 22000}, true},  // PENV_5, 110 x 220 mm
    {101, {12000, 23000}, false},  // PENV_6, 120 x 230 mm
    {102, {16000, 23000}, false},  // PENV_7, 160 x 230 mm
    {103, {12000, 30900}, false},  // PENV_8, 120 x 309 mm
    {104, {22900, 32400}, true},  // PENV_9, 229 x 324 mm
    {105, {32400, 45800}, true},  // PENV_10, 324 x 458 mm
    {106, {21500, 14600}, false},  // P16K_ROTATED, 215 x 146 mm
    {107, {15100, 9700}, false},  // P32K_ROTATED, 151 x 97 mm
    {108, {15100, 9700}, true},  // P32KBIG_ROTATED, 151 x 97 mm
    {109, {16500, 10200}, false},  // PENV_1_ROTATED, 165 x 102 mm
    {110, {17600, 10200}, false},  // PENV_2_ROTATED, 176 x 102 mm
    {111, {17600, 12500}, true},  // PENV_3_ROTATED, 176 x 125 mm
    {112, {20800, 11000}, false},  // PENV_4_ROTATED, 208 x 110 mm
    {113, {22000, 11000}, false},  // PENV_5_ROTATED, 220 x 110 mm
    {114, {23000, 12000}, false},  // PENV_6_ROTATED, 230 x 120 mm
    {115, {23000, 16000}, false},  // PENV_7_ROTATED, 230 x 160 mm
    {116, {30900, 12000}, false},  // PENV_8_ROTATED, 309 x 120 mm
    {117, {32400, 22900}, false},  // PENV_9_ROTATED, 324 x 229 mm
    {118, {45800, 32400}, false},  // PENV_10_ROTATED, 458 x 324 mm
};

// Hundredths of a millimetre two sides may differ by and still be one paper.
constexpr int kSizeTolerance = 100;

int Difference(PaperSize a, PaperSize b) {
  return std::max(std::abs(a.width - b.width), std::abs(a.length - b.length));
}

bool NamesAlike(const char* known, const std::string& name) {
  return known && strcasecmp(known, name.c_str()) == 0;
}

std::optional<PaperSize> SizeOfName(const std::string& media) {
  const pwg_media_t* m = pwgMediaForPWG(media.c_str());
  if (!m) m = pwgMediaForPPD(media.c_str());
  if (!m) m = pwgMediaForLegacy(media.c_str());
  if (m) return PaperSize{m->width, m->length};
  // Option files also name standard papers in other letter cases ("a4").
  for (const PaperKind& kind : kPaperKinds) {
    m = pwgMediaForSize(kind.size.width, kind.size.length);
    if (m && (NamesAlike(m->ppd, media) || NamesAlike(m->legacy, media))) return kind.size;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PaperSize> SizeOfMediaName(std::string_view media) {
  if (media.empty()) return std::nullopt;
  const std::string name(media);
  if (auto size = SizeOfName(name)) return size;
  // "A4.Borderless", "na_letter_8.5x11in.Borderless": the paper is the name
  // before the last dot.
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return std::nullopt;
  return SizeOfName(name.substr(0, dot));
}

bool SameSize(PaperSize a, PaperSize b) { return Difference(a, b) <= kSizeTolerance; }

std::optional<std::uint16_t> CodeOfSize(PaperSize size) {
  const PaperKind* best = nullptr;
  for (const PaperKind& kind : kPaperKinds) {
    if (kind.alias || !SameSize(kind.size, size)) continue;
    if (!best || Difference(kind.size, size) < Difference(best->size, size)) best = &kind;
  }
  return best ? std::optional<std::uint16_t>(best->code) : std::nullopt;
}

std::optional<std::uint16_t> CodeOfMediaName(std::string_view media) {
  const auto size = SizeOfMediaName(media);
  return size ? CodeOfSize(*size) : std::nullopt;
}

std::optional<std::string> MediaNameOfCode(std::uint16_t code) {
  const auto kind = std::find_if(std::begin(kPaperKinds), std::end(kPaperKinds),
                                 [code](const PaperKind& k) { return k.code == code; });
  if (kind == std::end(kPaperKinds)) return std::nullopt;
  if (const pwg_media_t* m = pwgMediaForSize(kind->size.width, kind->size.length)) return std::string(m->pwg);
  char name[128];
  if (!pwgFormatSizeName(name, sizeof name, "custom", nullptr, kind->size.width, kind->size.length, nullptr))
    return std::nullopt;
  return std::string(name);
}

}  // namespace plamor::paper
