// plamor-draw print IN --printer QUEUE [--fit]; IN a .plm, .atz or .pdf file
#include <QTemporaryDir>

#include <fstream>
#include <iostream>
#include <optional>

#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/commands.h"
#include "drawings/drawing_files.h"
#include "drawings/outputs/drawing_output.h"
#include "platform/folders.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/output_target.h"
#include "apps/plamor_draw/commands/print_queue.h"
#include "drawings/outputs/pdf_file.h"

namespace plamor::draw {

static Command PrintCommand() {
  return Command("plamor-draw print", "IN --printer QUEUE [--fit]",
                     "A .plm or .atz drawing, or the PDF of one (such as --pdf of sections and hq), to a CUPS "
                     "print queue, 1:1 on paper of the sheet's size.")
      .Option("printer", "QUEUE", "the CUPS print queue")
      .Flag("fit", "scale the sheet onto the queue's default paper instead");
}

static int RunPrint(const CommandLine& line) {
  if (line.Positional().size() != 1) throw UsageError("print takes one drawing file (.plm, .atz or .pdf)");
  const std::string queueName = line.Required("--printer");
  const std::filesystem::path in = line.Positional()[0];
  const bool fit = line.Flag("--fit");
  const std::string title = in.filename().string();

  if (folders::EndsWithKind(in, "pdf")) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(in, ec)) throw InputError(in, "does not exist or is not a file");
    const auto size = drawings::ReadPdfPageSize(in);
    if (!size) throw InputError(in, "is not a PDF file with a page size");
    const PrintQueue queue(queueName);
    const int job = queue.Print(in, title, fit ? std::nullopt : size);
    std::cerr << "plamor-draw: sent " << title << " to " << queueName << " as job " << job
              << (fit ? " (fitted by the printer)" : " (1:1)") << "\n";
    return 0;
  }

  const drawings::DrawingModel model = drawings::ReadDrawingFile(in);
  const PrintQueue queue(queueName);
  drawings::OutputOptions options;
  options.title = title;
  options.fontPath = folders::StrokeFontFile();
  if (fit) options.paper = queue.DefaultPaper();

  QTemporaryDir folder;
  if (!folder.isValid())
    throw std::runtime_error("no temporary folder for the print file: " + folder.errorString().toStdString());
  const std::filesystem::path pdf = folder.filePath("drawing.pdf").toStdString();
  drawings::PdfOutput().Write(model, pdf, options);
  const drawings::SheetPage sheet = drawings::PageOfSheet(model);
  const drawings::PaperMm page = options.paper ? *options.paper : drawings::PaperMm{sheet.widthMm, sheet.heightMm};
  const int job = queue.Print(pdf, title, page);
  std::cerr << "plamor-draw: sent " << title << " to " << queueName << " as job " << job << " (" << page.width
            << " x " << page.height << " mm" << (fit ? ", fitted" : ", 1:1") << ")\n";
  return 0;
}

Subcommand PrintSubcommand() { return {"print", PrintCommand, RunPrint}; }

}  // namespace plamor::draw
