// plamor-draw print IN --printer QUEUE [--fit]; IN a .plm, .atz or .pdf file
#include <QTemporaryDir>

#include <fstream>
#include <iostream>
#include <optional>
#include <regex>

#include "apps/plamor_draw/command_support.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/drawing_model.h"
#include "apps/plamor_draw/drawing_page.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/output_target.h"
#include "apps/plamor_draw/print_queue.h"

namespace plamor::draw {

namespace {

// The size of a PDF's first page as its media box gives it (the PDF files
// plamor-draw writes give it in the first kilobytes), or nothing.
std::optional<PaperMm> PdfPageSize(const std::filesystem::path& pdf) {
  std::ifstream in(pdf, std::ios::binary);
  std::string head(16384, '\0');
  in.read(head.data(), std::streamsize(head.size()));
  head.resize(std::size_t(in.gcount()));
  std::smatch box;
  static const std::regex kMediaBox(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])");
  if (!std::regex_search(head, box, kMediaBox)) return std::nullopt;
  constexpr double kMmPerPoint = 25.4 / 72;
  return PaperMm{std::stod(box[1]) * kMmPerPoint, std::stod(box[2]) * kMmPerPoint};
}

}  // namespace

Command PrintCommand() {
  return Command("plamor-draw print", "IN --printer QUEUE [--fit]",
                     "A .plm or .atz drawing, or the PDF of one (such as --pdf of sections and hq), to a CUPS "
                     "print queue, 1:1 on paper of the sheet's size.")
      .Option("printer", "QUEUE", "the CUPS print queue")
      .Flag("fit", "scale the sheet onto the queue's default paper instead");
}

int RunPrint(const CommandLine& line) {
  if (line.Positional().size() != 1) throw UsageError("print takes one drawing file (.plm, .atz or .pdf)");
  const std::string queueName = line.Required("--printer");
  const std::filesystem::path in = line.Positional()[0];
  const bool fit = line.Flag("--fit");
  const std::string title = in.filename().string();

  if (EndsWithKind(in, "pdf")) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(in, ec)) throw InputError(in, "does not exist or is not a file");
    const auto size = PdfPageSize(in);
    if (!size) throw InputError(in, "is not a PDF file with a page size");
    const PrintQueue queue(queueName);
    const int job = queue.Print(in, title, fit ? std::nullopt : size);
    std::cerr << "plamor-draw: sent " << title << " to " << queueName << " as job " << job
              << (fit ? " (fitted by the printer)" : " (1:1)") << "\n";
    return 0;
  }

  const DrawingModel model = ReadDrawingFile(in);
  const PrintQueue queue(queueName);
  PageOptions options{title, StrokeFontFile().string(), {}};
  if (fit) options.paper = queue.DefaultPaper();

  QTemporaryDir folder;
  if (!folder.isValid())
    throw std::runtime_error("no temporary folder for the print file: " + folder.errorString().toStdString());
  const std::filesystem::path pdf = folder.filePath("drawing.pdf").toStdString();
  WriteDrawingPage(model, PageFormat::kPdf, pdf, options);
  const SheetPage sheet = PageOfSheet(model);
  const PaperMm page = options.paper ? *options.paper : PaperMm{sheet.widthMm, sheet.heightMm};
  const int job = queue.Print(pdf, title, page);
  std::cerr << "plamor-draw: sent " << title << " to " << queueName << " as job " << job << " (" << page.width
            << " x " << page.height << " mm" << (fit ? ", fitted" : ", 1:1") << ")\n";
  return 0;
}

}  // namespace plamor::draw
