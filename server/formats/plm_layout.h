// Where each field of the standard drawing file's 2906-byte header starts
// (offsets from the start of the file) and how many bytes it takes; the
// element records follow the header. The writer appends the fields in this
// order and the reader reads them at these offsets.
#pragma once

#include <cstddef>

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

}  // namespace plamor::plm
