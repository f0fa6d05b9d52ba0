// Standard drawing file (.plm, tag "PLMV2"): a 2906-byte header (thumbnail,
// time stamps, font names, placement, paper and scale) followed by one binary
// record per element; little-endian numbers, CP932 text. Also the memo file
// written beside it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "server/formats/drawing_info.h"
#include "server/formats/plm_layout.h"
#include "server/types.h"
#include "server/formats/writer_values.h"

namespace plamor {

class OutputFile;

namespace plm {

inline constexpr std::size_t kLineRecordSize = 44;
inline constexpr std::size_t kCircleRecordSize = 68;
inline constexpr std::size_t kTextRecordFixedSize = 66;  // then the text bytes and a zero byte

using Thumbnail = std::array<std::uint8_t, kThumbnailSize>;

// The 80-byte font-path field: the path of M_G_L.KVD in `folder` when it
// exists and takes fewer than 80 bytes in CP932, else 80 zero bytes.
std::string FontPathField(const std::filesystem::path& folder);

// The local time "mm/dd/yyyy hh:nn:ss".
std::string TimeStamp();

// The 2906 header bytes.
std::string HeaderBytes(const DrawingInfo& info, const Thumbnail& thumbnail,
                        std::string_view timeStamp, std::string_view fontPathField);

// Paper code of the header: the size code plus 1 for landscape, plus 16 for portrait.
std::int16_t PaperCode(std::int32_t paper, std::int32_t paperSize);

// The records of one element (pen 0 gives no record, an empty text).
std::string LineRecord(const LineValues& line);
std::string CircleRecord(const CircleValues& circle);
std::string TextRecord(const TextValues& text);

// Writes the header (thumbnail of info.preview, the current time, the font path).
SaveResult WritePlmHeader(OutputFile& file, const DrawingInfo& info);

SaveResult SaveLine(OutputFile& file, const LineValues& line);
SaveResult SaveCircle(OutputFile& file, const CircleValues& circle);
SaveResult SaveText(OutputFile& file, const TextValues& text);

// The memo file beside a drawing file: its name without the last three
// characters, then "MET" (plan.plm gives plan.MET).
std::string MemoFileName(std::string_view drawingFileName);
// Writes `memo` as one line into the memo file of `drawingFileName`. A failure
// is shown (its description, title "ｴﾗｰ") and gives false; nothing of the memo
// file is then left, and an earlier memo file stays as it was.
bool WriteMemoFile(OutputFile& file, std::string_view drawingFileName, std::string_view memo);
bool WriteMemoFile(std::string_view drawingFileName, std::string_view memo);

}  // namespace plm
}  // namespace plamor
