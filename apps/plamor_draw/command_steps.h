// Steps the plamor-draw subcommands share.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "apps/plamor_draw/option_values.h"
#include "apps/plamor_draw/output_target.h"
#include "drawings/outputs/drawing_output.h"
#include "server/host/host_entry.h"

class QImage;

namespace plamor::draw {

class DrawingLink;

// A subcommand that draws through the drawing server, with the options every
// such subcommand takes: --inproc and --dxf-codepage.
Command DrawingCommand(const std::string& name, const std::string& synopsis, const std::string& summary);

// A chart drawing subcommand (sections, hq): a drawing subcommand that writes
// -o OUT.dxf and on request the chart as shown (--png), the drawing as a PDF
// page (--pdf) and a current DXF version (--dxf-version).
Command ChartCommand(const std::string& name, const std::string& synopsis, const std::string& summary);

// In process with --inproc, else on the D-Bus server.
host::Transport TransportOf(const CommandLine& line);
// Applies --dxf-codepage (the per-user setting, kept for later runs too).
void ApplyCodePageFlag(const CommandLine& line);

// Refuses an output name that does not end in ".dxf" (the chart controls
// write DXF only).
void RequireDxfName(const std::filesystem::path& out);

// Makes a drawing through the drawing server with `draw`; a server that
// ended (or a bus that went away) before the drawing was written is an
// error naming the target.
void DrawThroughServer(const OutputTarget& target, const std::function<void()>& draw);

// An error naming `out` when the link's last run failed or was cancelled,
// with what the server reported.
void RequireWritten(const DrawingLink& link, const std::string& out);

// Puts the drawing the server wrote in place. A run that wrote nothing is an
// error naming the target: the message that stopped it or a cancel, with
// what the server reported.
void CommitDrawing(OutputTarget& target, const DrawingLink& link);

// Refuses a picture name whose ending is not one of the kinds (such as
// "png") the option writes, naming what it can write.
void RequirePictureName(const std::filesystem::path& out, const std::string& option,
                        const std::vector<std::string>& kinds);

// The target of a picture option such as --png, given `name` (its value),
// the name checked to end in the option's kind; none when it is not given.
std::optional<OutputTarget> PictureTarget(const std::optional<std::string>& name, const std::string& kind);

// Writes a file by `write` under the target's temporary name and puts it in
// place; an error of the writer names the final name.
void WriteAndCommit(OutputTarget& target, const std::function<void(const std::filesystem::path&)>& write);

// Writes the drawing by one of its outputs into the target and reports it on
// standard error: "plamor-draw: wrote OUT (420 x 297 mm, 12 elements)".
void WriteDrawingOutput(const drawings::DrawingOutput& output, const drawings::DrawingModel& model,
                        OutputTarget& target, const drawings::OutputOptions& options);

// Writes the chart as shown (its image) as PNG into the target of --png, when
// there is one: under the target's temporary name, then put in place.
void WriteChartPicture(const QImage& image, std::optional<OutputTarget>& target);


}  // namespace plamor::draw
