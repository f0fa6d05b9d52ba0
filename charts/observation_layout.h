// The text lines of one sounding observation as the cross-section control
// reads them. Lines are counted from 0, as the host's array holds them;
// fields from 1, comma-separated. Other lines and fields are not read.
#pragma once

#include <cstddef>

namespace plamor::charts::observation {

// Header: title, datum elevation, base-level caption.
inline constexpr std::size_t kHeaderLine = 0;
inline constexpr std::size_t kTitleField = 3, kDatumField = 17, kBaseCaptionField = 18;

// One field per point, the distances ending at the first empty field.
inline constexpr std::size_t kDistanceLine = 2, kFirstDepthLine = 3, kSecondDepthLine = 4;

// The observation itself: number, date, the two water-surface readings and
// the offset added to every distance.
inline constexpr std::size_t kObservationLine = 11;
inline constexpr std::size_t kNumberField = 1, kDateField = 2, kFirstWaterField = 10, kSecondWaterField = 11,
                             kOffsetField = 19;

// Lines an observation needs.
inline constexpr std::size_t kLineCount = kObservationLine + 1;

// The number of a line as people count lines, from 1 (for messages).
constexpr std::size_t LineNumber(std::size_t line) { return line + 1; }

}  // namespace plamor::charts::observation
