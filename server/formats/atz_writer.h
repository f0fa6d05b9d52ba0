// Standard text file (.atz): one header line with paper and scale, then one
// comma-separated line per element; CP932 text, CR LF line ends, real values
// with `keta` decimals ("0." and keta zeros).
#pragma once

#include <cstdint>
#include <string>

#include "server/formats/drawing_info.h"
#include "server/types.h"
#include "server/formats/writer_values.h"

namespace plamor {

class OutputFile;

namespace atz {

// Paper code of the header: sizes A0..B4 are their own code; any other size
// gets the smallest of B0, A0 .. A4 that holds the paper, or 0.
std::int32_t PaperCode(std::int32_t paperSize, double paperTate, double paperYoko);

// The header line (without CR LF): "0,<paper code>,<scale>,1".
std::string HeaderLine(const DrawingInfo& info);

// Record lines without CR LF; pen 0 gives an empty text.
std::string LineRecord(const LineValues& line, std::int32_t keta);
std::string CircleRecord(const CircleValues& circle, std::int32_t keta);
std::string TextRecord(const TextValues& text, std::int32_t keta);

// Writes the header line.
SaveResult WriteAtzHeader(OutputFile& file, const DrawingInfo& info);

SaveResult SaveLine(OutputFile& file, const LineValues& line, std::int32_t keta);
SaveResult SaveCircle(OutputFile& file, const CircleValues& circle, std::int32_t keta);
SaveResult SaveText(OutputFile& file, const TextValues& text, std::int32_t keta);

}  // namespace atz
}  // namespace plamor
