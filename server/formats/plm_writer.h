// Standard drawing file (.plm, tag "PLMV2"): a 2906-byte header (thumbnail,
// time stamps, font names, placement, paper and scale) followed by one binary
// record per element; little-endian numbers, CP932 text. Also the memo file
// written beside it. The layer codes come from the run's WriteContext.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "server/elements/element_values.h"
#include "server/formats/drawing_info.h"
#include "server/formats/plm_layout.h"
#include "server/formats/write_context.h"
#include "server/types.h"

namespace plamor::plm {

inline constexpr std::size_t kLineRecordSize = 44;
inline constexpr std::size_t kCircleRecordSize = 68;
inline constexpr std::size_t kTextRecordFixedSize = 66;  // then the text bytes and a zero byte

using Thumbnail = std::array<std::uint8_t, kThumbnailSize>;

// The 80-byte font-path field: the path of M_G_L.KVD in `folder` when it
// exists and takes fewer than 80 bytes in CP932, else 80 zero bytes.
std::string FontPathField(const std::filesystem::path& folder);

// The local time "mm/dd/yyyy hh:nn:ss".
std::string TimeStamp();

// The 2906 header bytes: the thumbnail of info.preview, the current time,
// the font path of info.programFolder (empty: the folder of this library).
std::string HeaderBytes(const DrawingInfo& info, const WriteContext& context);

// The records of one element (pen 0 gives no record, an empty text). The
// layer must lie in 1..128.
std::string LineRecord(const LineValues& line, const WriteContext& context);
std::string CircleRecord(const CircleValues& circle, const WriteContext& context);
std::string TextRecord(const TextValues& text, const WriteContext& context);

// Appends the record of one element to `out` (pen 0 appends nothing); false,
// nothing appended, for a layer outside 1..128.
[[nodiscard]] bool AppendElement(std::string& out, const LineValues& line, const WriteContext& context);
[[nodiscard]] bool AppendElement(std::string& out, const CircleValues& circle, const WriteContext& context);
[[nodiscard]] bool AppendElement(std::string& out, const TextValues& text, const WriteContext& context);

// The memo file beside a drawing file: its name without the last three
// characters, then "MET" (plan.plm gives plan.MET).
std::string MemoFileName(std::string_view drawingFileName);
// The memo file's bytes: `memo` as one CP932 line.
std::string MemoBytes(std::string_view memo);

}  // namespace plamor::plm
