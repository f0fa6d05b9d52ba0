// Steps the plamor-draw subcommands share.
#pragma once

#include <filesystem>

#include "apps/plamor_draw/command_line.h"
#include "server/host/host_entry.h"

class QImage;

namespace plamor::draw {

class DrawingLink;
class OutputTarget;

// The options every drawing subcommand takes: --inproc and --dxf-codepage.
inline const std::set<std::string> kDrawingFlags = {"--inproc", "--dxf-codepage"};

// In process with --inproc, else on the D-Bus server.
host::Transport TransportOf(const CommandLine& line);
// Applies --dxf-codepage (the per-user setting, kept for later runs too).
void ApplyCodePageFlag(const CommandLine& line);

// Refuses an output name that does not end in ".dxf" (the chart controls
// write DXF only).
void RequireDxfName(const std::filesystem::path& out);

// Puts the drawing the server wrote in place; when there is none, the error
// says what the server reported.
void CommitDrawing(OutputTarget& target, const DrawingLink& link);

// Writes the image as PNG under the target's temporary name and puts it in place.
void WritePng(const QImage& image, OutputTarget& target);

// The stroke-font file beside the programs.
std::filesystem::path StrokeFontFile();

}  // namespace plamor::draw
