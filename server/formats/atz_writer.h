// Standard text file (.atz): one header line with paper and scale, then one
// comma-separated line per element; CP932 text, CR LF line ends, real values
// with `keta` decimals ("0." and keta zeros).
#pragma once

#include <cstdint>
#include <string>

#include "server/elements/element_values.h"
#include "server/formats/drawing_info.h"
#include "server/formats/write_context.h"
#include "server/types.h"

namespace plamor::atz {

// Paper code of the header: sizes A0..B4 are their own code; any other size
// gets the smallest of B0, A0 .. A4 that holds the paper, or 0.
std::int32_t PaperCode(std::int32_t paperSize, double paperTate, double paperYoko);

// The header line (without CR LF): "0,<paper code>,<scale>,1".
std::string HeaderLine(const DrawingInfo& info);
// The header line followed by CR LF.
std::string HeaderBytes(const DrawingInfo& info);

// Record lines without CR LF; pen 0 gives an empty text.
std::string LineRecord(const LineValues& line, std::int32_t keta);
std::string CircleRecord(const CircleValues& circle, std::int32_t keta);
std::string TextRecord(const TextValues& text, std::int32_t keta);

// Appends the record line of one element followed by CR LF to `out`, with
// the context's decimals (pen 0 appends nothing). Every layer can be written.
bool AppendElement(std::string& out, const LineValues& line, const WriteContext& context);
bool AppendElement(std::string& out, const CircleValues& circle, const WriteContext& context);
bool AppendElement(std::string& out, const TextValues& text, const WriteContext& context);

}  // namespace plamor::atz
