#include "apps/plamor_draw/chart_outputs.h"

#include <iostream>
#include <stdexcept>

#include "apps/plamor_draw/command_support.h"
#include "apps/plamor_draw/drawing_link.h"
#include "apps/plamor_draw/drawing_model.h"
#include "apps/plamor_draw/drawing_page.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/modern_dxf.h"

namespace plamor::draw {

bool ParseDxfVersion(const std::optional<std::string>& value) {
  if (!value || *value == "12" || *value == "R12") return false;
  if (*value == "2000" || *value == "R2000") return true;
  throw UsageError("--dxf-version: \"" + *value + "\" cannot be written; give 2000 (AutoCAD 2000 and later) or 12");
}

ChartOutputs::ChartOutputs(const CommandLine& line, OutputTarget& drawing)
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

std::string ChartOutputs::ServerFile() const {
  return modernDxf_ ? folder_->filePath("binding.dxf").toStdString() : drawing_.Temporary().string();
}

void ChartOutputs::Prepare(DrawingLink& link) {
  if (folder_) link.KeepCopyIn(folder_->filePath("drawing.plm").toStdString());
}

void ChartOutputs::Finish(const DrawingLink& link) {
  std::optional<DrawingModel> model;
  if (folder_) {
    const std::filesystem::path copy = folder_->filePath("drawing.plm").toStdString();
    std::error_code ec;
    if (std::filesystem::is_regular_file(copy, ec)) model = ReadDrawingFile(copy);
  }
  if (modernDxf_ && model) {
    WriteAndCommit(drawing_, [&](const std::filesystem::path& file) { WriteModernDxf(*model, file); });
  } else {
    CommitDrawing(drawing_, link);
  }
  std::cerr << "plamor-draw: wrote " << drawing_.Final().string() << "\n";
  if (!pdf_) return;
  if (!model) throw std::runtime_error(pdf_->Final().string() + ": the drawing server wrote no copy of the drawing");
  WriteAndCommit(*pdf_, [&](const std::filesystem::path& file) {
    WriteDrawingPage(*model, PageFormat::kPdf, file, {drawing_.Final().filename().string(), StrokeFontFile().string(), {}});
  });
  std::cerr << "plamor-draw: wrote " << pdf_->Final().string() << "\n";
}

}  // namespace plamor::draw
