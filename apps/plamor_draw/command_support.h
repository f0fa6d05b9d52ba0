// Steps the plamor-draw subcommands share.
#pragma once

#include <filesystem>
#include <functional>

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

// Makes the drawing with `draw` (through the link's drawing objects) and puts
// the file the server wrote in place. A run that wrote nothing is an error
// naming the target: the message that stopped it, a cancel, or a server
// that ended (or a bus that went away) before the drawing was written;
// with what the server reported.
void DrawAndCommit(OutputTarget& target, const DrawingLink& link, const std::function<void()>& draw);

// Writes the image as PNG under the target's temporary name and puts it in place.
void WritePng(const QImage& image, OutputTarget& target);

// The stroke-font file beside the programs.
std::filesystem::path StrokeFontFile();

}  // namespace plamor::draw
