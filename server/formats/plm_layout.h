// Where each field of the standard drawing file's 2906-byte header starts
// (offsets from the start of the file) and how many bytes it takes; the
// element records follow the header. The writer appends the fields in this
// order and the reader reads them at these offsets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "server/types.h"

namespace plamor::plm {

inline constexpr std::size_t kThumbnailAt = 0, kThumbnailSize = 2200;
// Creation and update time stamps "mm/dd/yyyy hh:nn:ss", zero-padded.
inline constexpr std::size_t kCreatedAt = 2200, kUpdatedAt = 2220, kTimeStampSize = 20;
inline constexpr std::size_t kFontPathAt = 2240, kFontPathSize = 80;
// The names of the two fonts a text's FontType 1 and 2 select.
inline constexpr std::size_t kFirstFontAt = 2320, kSecondFontAt = 2352, kFontNameSize = 32;
inline constexpr std::size_t kZeroBlockAt = 2384, kZeroBlockSize = 320 + 56;
inline constexpr std::size_t kPlamorFlgAt = 2760;  // Int32
inline constexpr std::size_t kGentenXAt = 2764, kGentenYAt = 2772, kHouiAngleAt = 2780;  // Doubles
inline constexpr std::size_t kZeroWordAt = 2788;                            // Int16 0
inline constexpr std::size_t kFilledBlockAt = 2790, kFilledBlockSize = 32;  // bytes of 255
inline constexpr std::size_t kUnitAt = 2822, kUnitSize = 10;                // "mm"
inline constexpr std::size_t kUnitOneAt = 2832;                             // Double 1.0
// The paper sides (Doubles): the landscape width first for a landscape sheet.
inline constexpr std::size_t kFirstSideAt = 2840, kSecondSideAt = 2848;
inline constexpr std::size_t kPaperCodeAt = 2856;  // Int16
// Double 1.0, then Double PaperScale; the pair stands again further on.
inline constexpr std::size_t kScaleOneAt = 2858, kPaperScaleAt = 2866;
inline constexpr std::size_t kFormatTagAt = 2874, kFormatTagSize = 6;  // "PLMV2" and a zero byte
inline constexpr std::size_t kTagZeroWordAt = 2880;                    // Int16 0
inline constexpr std::size_t kDosVersionSizeAt = 2882;                 // Int16
inline constexpr std::size_t kOneWordAt = 2884;                        // Int16 1
inline constexpr std::size_t kSecondScaleOneAt = 2886, kSecondPaperScaleAt = 2894;
// The two attribute words (Int16) that close the header.
inline constexpr std::size_t kFirstAttributeAt = 2902, kSecondAttributeAt = 2904;
inline constexpr std::size_t kHeaderSize = 2906;

// Paper code of the header: the size code plus 1 for landscape, plus 16 for
// portrait. Summed wide, so a size near the top of the host's range cannot
// overflow; like every size, only the low 16 bits reach the field.
constexpr std::int16_t PaperCode(std::int32_t paper, std::int32_t paperSize) {
  return static_cast<std::int16_t>(std::int64_t{paperSize} + (paper == ktpPaperYoko ? 1 : 16));
}

// The sheet a paper code and the two paper sides stand for. 16 is either a
// free landscape sheet or a portrait A0, told apart by which side comes
// first; a code of no known size reads as the free size.
struct PaperOfCode {
  bool portrait = false;
  std::int32_t paperSize = ktpFREE;
  double yoko = 0, tate = 0;  // long and short side of the sheet as it lies
};
constexpr PaperOfCode DecodePaper(std::int16_t code, double firstSide, double secondSide) {
  PaperOfCode paper;
  paper.portrait = code > 16 || (code == 16 && firstSide < secondSide);
  paper.paperSize = paper.portrait ? code - 16 : code - 1;
  if (paper.paperSize < ktpA0 || paper.paperSize > ktpFREE) paper.paperSize = ktpFREE;
  paper.yoko = paper.portrait ? secondSide : firstSide;
  paper.tate = paper.portrait ? firstSide : secondSide;
  return paper;
}

}  // namespace plamor::plm
