#include "apps/plamor_draw/relay/drawing_copies.h"

#include <iostream>
#include <stdexcept>

#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/relay/drawing_link.h"
#include "drawings/drawing_files.h"
#include "drawings/outputs/drawing_output.h"
#include "platform/folders.h"
#include "cli/input_error.h"

namespace plamor::draw {

bool ParseDxfVersion(const std::optional<std::string>& value) {
  if (!value || *value == "12" || *value == "R12") return false;
  if (*value == "2000" || *value == "R2000") return true;
  throw UsageError("--dxf-version: \"" + *value + "\" cannot be written; give 2000 (AutoCAD 2000 and later) or 12");
}

DrawingCopies::DrawingCopies(const CommandLine& line, OutputTarget& drawing)
    : drawing_(drawing), modernDxf_(ParseDxfVersion(line.Value("--dxf-version"))) {
  if (auto pdf = line.Value("--pdf")) {
    RequirePictureName(*pdf, "--pdf", {"pdf"});
    pdf_.emplace(*pdf);
  }
  if (!modernDxf_ && !pdf_) return;
  folder_.emplace();
  if (!folder_->isValid())
    throw std::runtime_error("no temporary folder for the drawing's copy: " + folder_->errorString().toStdString());
}

std::string DrawingCopies::ServerFile() const {
  return modernDxf_ ? folder_->filePath("binding.dxf").toStdString() : drawing_.Temporary().string();
}

void DrawingCopies::Prepare(DrawingLink& link) {
  if (folder_) link.KeepCopyIn(folder_->filePath("drawing.plm").toStdString());
}

void DrawingCopies::Finish(const DrawingLink& link) {
  std::optional<drawings::DrawingModel> model;
  if (folder_) {
    const std::filesystem::path copy = folder_->filePath("drawing.plm").toStdString();
    std::error_code ec;
    if (std::filesystem::is_regular_file(copy, ec)) model = drawings::ReadDrawingFile(copy);
  }
  if (modernDxf_ && model) {
    WriteDrawingOutput(drawings::Dxf2000Output(), *model, drawing_, {});
  } else {
    CommitDrawing(drawing_, link);
    std::cerr << "plamor-draw: wrote " << drawing_.Final().string() << "\n";
  }
  if (!pdf_) return;
  if (!model) throw std::runtime_error(pdf_->Final().string() + ": the drawing server wrote no copy of the drawing");
  drawings::OutputOptions options;
  options.title = drawing_.Final().filename().string();
  options.fontPath = folders::StrokeFontFile();
  WriteDrawingOutput(drawings::PdfOutput(), *model, *pdf_, options);
}

}  // namespace plamor::draw
