#include "apps/plamor_draw/command_support.h"

#include <QImage>

#include <strings.h>

#include <stdexcept>

#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/drawing_link.h"
#include "apps/plamor_draw/input_error.h"
#include "apps/plamor_draw/output_target.h"
#include "platform/folders.h"

namespace plamor::draw {

Command DrawingCommand(const std::string& name, const std::string& synopsis, const std::string& summary) {
  return Command("plamor-draw " + name, synopsis, summary)
      .Flag("inproc", "draw in this process instead of on the D-Bus drawing server")
      .Flag("dxf-codepage", "as setup-codepage on, before drawing");
}

host::Transport TransportOf(const CommandLine& line) {
  return line.Flag("--inproc") ? host::Transport::InProcess : host::Transport::DBus;
}

void ApplyCodePageFlag(const CommandLine& line) {
  if (line.Flag("--dxf-codepage")) SetDxfCodePage(true);
}

void RequireDxfName(const std::filesystem::path& out) {
  if (!EndsWithKind(out, "dxf") || out.filename().string().size() < 4 ||
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

void CommitDrawing(OutputTarget& target, const DrawingLink& link) {
  try {
    target.Commit();
  } catch (const std::runtime_error& e) {
    std::string message = e.what();
    const std::string prompts = link.Prompts();
    if (!prompts.empty()) message += "; the drawing server reported:\n" + prompts;
    throw std::runtime_error(target.Describe(message));
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

void WritePng(const QImage& image, OutputTarget& target) {
  if (!image.save(QString::fromStdString(target.Temporary().string()), "PNG"))
    throw std::runtime_error(target.Final().string() + ": the picture cannot be written");
  target.Commit();
}

std::filesystem::path StrokeFontFile() { return folders::DataFile(folders::ProgramFolder(), "M_G_L.KVD"); }

}  // namespace plamor::draw
