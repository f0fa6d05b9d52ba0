#include "apps/plamor_draw/command_steps.h"

#include <QImage>

#include <strings.h>

#include <iostream>
#include <stdexcept>

#include "apps/plamor_draw/relay/drawing_copies.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/relay/drawing_link.h"
#include "cli/input_error.h"
#include "platform/folders.h"
#include "server/dbus/dbus_client.h"

namespace plamor::draw {

Command DrawingCommand(const std::string& name, const std::string& synopsis, const std::string& summary) {
  return Command("plamor-draw " + name, synopsis, summary)
      .Flag("inproc", "draw in this process instead of on the D-Bus drawing server")
      .Flag("dxf-codepage", "as setup-codepage on, before drawing");
}

Command ChartCommand(const std::string& name, const std::string& synopsis, const std::string& summary) {
  return DrawingCommand(name, synopsis, summary)
      .Option("o,output", "OUT.dxf", "the drawing to write (DXF)")
      .Option("png", "CHART.png", "also save the chart as shown on screen")
      .Option("pdf", "OUT.pdf", "also the drawing as a true-size PDF page")
      .Option("dxf-version", "2000", kDxfVersionHelp);
}

host::Transport TransportOf(const CommandLine& line) {
  return line.Flag("--inproc") ? host::Transport::InProcess : host::Transport::DBus;
}

void ApplyCodePageFlag(const CommandLine& line) {
  if (line.Flag("--dxf-codepage")) SetDxfCodePage(true);
}

void RequireDxfName(const std::filesystem::path& out) {
  if (!folders::EndsWithKind(out, "dxf") || out.filename().string().size() < 4 ||
      out.filename().string()[out.filename().string().size() - 4] != '.')
    throw UsageError(out.string() + ": the drawing is written as DXF; the output name must end in .dxf");
}

void RequirePictureName(const std::filesystem::path& out, const std::string& option,
                        const std::vector<std::string>& kinds) {
  const std::string ending = out.extension().string();
  std::string known;
  for (const std::string& kind : kinds) {
    if (strcasecmp(ending.c_str(), ("." + kind).c_str()) == 0) return;
    known += (known.empty() ? "." : " or .") + kind;
  }
  throw UsageError(out.string() + ": " + option + " cannot write " +
                   (ending.empty() ? "a picture without an ending" : "a " + ending + " picture") + "; it writes " +
                   known);
}

std::optional<OutputTarget> PictureTarget(const std::optional<std::string>& name, const std::string& kind) {
  if (!name) return std::nullopt;
  RequirePictureName(*name, "--" + kind, {kind});
  return std::optional<OutputTarget>(std::in_place, *name);
}

void DrawThroughServer(const OutputTarget& target, const std::function<void()>& draw) {
  dbus::NameOutputOnServerLoss([&target] { return target.Final().string(); }, draw);
}

namespace {

std::string WithPrompts(std::string message, const DrawingLink& link) {
  const std::string prompts = link.Prompts();
  if (!prompts.empty()) message += "; the drawing server reported:\n" + prompts;
  return message;
}

}  // namespace

void RequireWritten(const DrawingLink& link, const std::string& out) {
  const RunResult& run = link.LastRun();
  if (run.state == RunState::kFailed)
    throw std::runtime_error(WithPrompts(out + ": the drawing was not written: " + run.message, link));
  if (run.state == RunState::kCancelled) throw std::runtime_error(WithPrompts(out + ": the drawing was cancelled", link));
}

void CommitDrawing(OutputTarget& target, const DrawingLink& link) {
  RequireWritten(link, target.Final().string());
  try {
    target.Commit();
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(WithPrompts(e.what(), link));
  }
}

void WriteAndCommit(OutputTarget& target, const std::function<void(const std::filesystem::path&)>& write) {
  try {
    write(target.Temporary());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(target.Describe(e.what()));
  }
  target.Commit();
}

void WriteDrawingOutput(const drawings::DrawingOutput& output, const drawings::DrawingModel& model,
                        OutputTarget& target, const drawings::OutputOptions& options) {
  std::string written;
  WriteAndCommit(target, [&](const std::filesystem::path& file) { written = output.Write(model, file, options); });
  std::cerr << "plamor-draw: wrote " << target.Final().string() << " (" << written << ", " << model.elements.size()
            << " elements)\n";
}

void WriteChartPicture(const QImage& image, std::optional<OutputTarget>& target) {
  if (!target) return;
  if (!image.save(QString::fromStdString(target->Temporary().string()), "PNG"))
    throw std::runtime_error(target->Final().string() + ": the picture cannot be written");
  target->Commit();
  std::cerr << "plamor-draw: wrote " << target->Final().string() << "\n";
}


}  // namespace plamor::draw
