// plamor-draw print IN --printer QUEUE [--fit]
#include <QTemporaryDir>

#include <iostream>

#include "apps/plamor_draw/command_support.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/drawing_model.h"
#include "apps/plamor_draw/drawing_page.h"
#include "apps/plamor_draw/input_error.h"
#include "apps/plamor_draw/print_queue.h"

namespace plamor::draw {

Command PrintCommand() {
  return Command("plamor-draw print", "IN --printer QUEUE [--fit]",
                     "A .plm or .atz drawing to a CUPS print queue, 1:1 on paper of the sheet's size.")
      .Option("printer", "QUEUE", "the CUPS print queue")
      .Flag("fit", "scale the sheet onto the queue's default paper instead");
}

int RunPrint(const CommandLine& line) {
  if (line.Positional().size() != 1) throw UsageError("print takes one drawing file (.plm or .atz)");
  const std::string queueName = line.Required("--printer");
  const std::filesystem::path in = line.Positional()[0];

  const DrawingModel model = ReadDrawingFile(in);
  const PrintQueue queue(queueName);
  PageOptions options{in.filename().string(), StrokeFontFile().string(), {}};
  if (line.Flag("--fit")) options.paper = queue.DefaultPaper();

  QTemporaryDir folder;
  if (!folder.isValid())
    throw std::runtime_error("no temporary folder for the print file: " + folder.errorString().toStdString());
  const std::filesystem::path pdf = folder.filePath("drawing.pdf").toStdString();
  WriteDrawingPage(model, PageFormat::kPdf, pdf, options);
  const SheetPage sheet = PageOfSheet(model);
  const PaperMm page = options.paper ? *options.paper : PaperMm{sheet.widthMm, sheet.heightMm};
  const int job = queue.Print(pdf, options.title, page);
  std::cerr << "plamor-draw: sent " << in.filename().string() << " to " << queueName << " as job " << job << " ("
            << page.width << " x " << page.height << " mm" << (options.paper ? ", fitted" : ", 1:1") << ")\n";
  return 0;
}

}  // namespace plamor::draw
