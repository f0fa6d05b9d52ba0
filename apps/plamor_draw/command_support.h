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

// A subcommand that draws through the drawing server, with the options every
// such subcommand takes: --inproc and --dxf-codepage.
Command DrawingCommand(const std::string& name, const std::string& synopsis, const std::string& summary);

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

// Refuses a picture name whose ending is not one of the kinds (such as
// "png") the option writes, naming what it can write.
void RequirePictureName(const std::filesystem::path& out, const std::string& option,
                        const std::vector<std::string>& kinds);

// Writes a file by `write` under the target's temporary name and puts it in
// place; an error of the writer names the final name.
void WriteAndCommit(OutputTarget& target, const std::function<void(const std::filesystem::path&)>& write);

// Writes the image as PNG under the target's temporary name and puts it in place.
void WritePng(const QImage& image, OutputTarget& target);

// The stroke-font file beside the programs, or where the installation keeps it.
std::filesystem::path StrokeFontFile();

}  // namespace plamor::draw
