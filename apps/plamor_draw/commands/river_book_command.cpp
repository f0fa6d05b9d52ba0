// plamor-draw river book FILES... -o BOOK.pdf [--dxf DIR] [--observation FILE:KM]...
//                        [--distance-scale N] [--elevation-scale N] [--jobs N]
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <thread>

#include "apps/plamor_draw/command_steps.h"
#include "apps/plamor_draw/commands.h"
#include "apps/plamor_draw/commands/river_inputs.h"
#include "apps/plamor_draw/relay/server_sheets.h"
#include "cli/progress.h"
#include "drawings/outputs/vector_page.h"
#include "platform/folders.h"
#include "sheets/section_book.h"

namespace plamor::draw {
namespace {

namespace fs = std::filesystem;

// BOOK-001.dxf, BOOK-002.dxf, ... in the folder: one DXF per sheet, the
// index sheets first, named after the book.
std::vector<std::unique_ptr<OutputTarget>> SheetFiles(const std::optional<std::string>& folder, const fs::path& book,
                                                      std::size_t count) {
  std::vector<std::unique_ptr<OutputTarget>> files;
  if (!folder) return files;
  if (!fs::is_directory(*folder)) throw std::runtime_error("--dxf " + *folder + ": no such folder");
  for (std::size_t k = 0; k < count; ++k) {
    char number[16];
    std::snprintf(number, sizeof number, "-%03zu.dxf", k + 1);
    files.push_back(std::make_unique<OutputTarget>(fs::path(*folder) / (book.stem().string() + number)));
  }
  return files;
}

// Every sheet of the book laid out by `jobs` threads at once (the layout
// only reads the river and the plan).
std::vector<drawings::DrawingModel> LayOutSheets(const survey::River& river, const sheets::SectionBookPlan& plan,
                                                 unsigned jobs) {
  std::vector<drawings::DrawingModel> sheets(plan.SheetCount());
  std::mutex failure;
  std::exception_ptr first;
  auto work = [&](unsigned job) {
    try {
      for (std::size_t k = job; k < sheets.size(); k += jobs) sheets[k] = sheets::DrawBookSheet(river, plan, k);
    } catch (...) {
      const std::lock_guard<std::mutex> lock(failure);
      if (!first) first = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (unsigned job = 1; job < jobs; ++job) threads.emplace_back(work, job);
  work(0);
  for (std::thread& t : threads) t.join();
  if (first) std::rethrow_exception(first);
  return sheets;
}

}  // namespace

static Command RiverBookCommand() {
  return DrawingCommand("river book",
                        "FILES... -o BOOK.pdf [--dxf DIR] [--observation FILE:KM]... [--distance-scale N] "
                        "[--elevation-scale N] [--jobs N]",
                        "The book of cross-section sheets of a river (national cross-section files): every section "
                        "with its surveys overlaid, six to an A3 sheet, an index first, drawn through the drawing "
                        "server.")
      .Option("o,output", "BOOK.pdf", "the book to write: one PDF with a page per sheet")
      .Option("dxf", "DIR", "also every sheet as a DXF file in that folder (BOOK-001.dxf, BOOK-002.dxf, ...)")
      .Option("observation", "FILE:KM",
              "also a sounding observation file as the section at that distance mark (may be given again)")
      .Option("distance-scale", "N", "the scale 1:N across the sections (chosen so that the widest fits)")
      .Option("elevation-scale", "N", "the scale 1:N of elevations (chosen so that the highest fits)")
      .Option("jobs", "N", "sheets laid out and pages drawn at once (every core when not given)");
}

static int RunRiverBook(const CommandLine& line) {
  const fs::path out = line.Required("-o");
  RequirePictureName(out, "-o", {"pdf"});
  OutputTarget pdf(out);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const unsigned jobs = line.Value("--jobs") ? unsigned(ParseInteger("--jobs", *line.Value("--jobs"), 1, 256)) : cores;
  sheets::BookOptions options;
  options.distanceScale = ScaleOption(line, "--distance-scale");
  options.elevationScale = ScaleOption(line, "--elevation-scale");
  const survey::River river = ReadRiverOf(line, "river book");
  const sheets::SectionBookPlan plan = sheets::PlanSectionBook(river, options);
  const std::vector<std::unique_ptr<OutputTarget>> files = SheetFiles(line.Value("--dxf"), out, plan.SheetCount());

  std::vector<drawings::DrawingModel> laidOut = LayOutSheets(river, plan, jobs);
  ApplyCodePageFlag(line);
  ServerSheets server(TransportOf(line));
  cli::Progress progress("river book", laidOut.size(), "sheets");
  std::vector<drawings::DrawingModel> pages;
  for (std::size_t k = 0; k < laidOut.size(); ++k) {
    pages.push_back(server.Draw(laidOut[k], files.empty() ? nullptr : files[k].get()));
    laidOut[k] = {};
    progress.Show(k + 1);
  }
  progress.Finish();
  try {
    drawings::PageOptions page;
    page.title = river.river + " 横断図集";
    page.fontPath = folders::StrokeFontFile().string();
    page.subject = TwoScaleSubject("across", plan.distanceScale, plan.elevationScale);
    page.jobs = jobs;
    drawings::WritePdfPages(pages, pdf.Temporary(), page);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(pdf.Describe(e.what()));
  }
  // Every sheet is drawn: only now are the files put in place.
  for (const auto& file : files) file->Commit();
  pdf.Commit();
  std::cerr << "plamor-draw: wrote " << pdf.Final().string() << " (" << pages.size() << " pages, "
            << river.sections.size() << " sections)";
  if (!files.empty()) std::cerr << " and " << files.size() << " DXF files in " << *line.Value("--dxf");
  std::cerr << "\n";
  return 0;
}

Subcommand RiverBookSubcommand() { return {"river book", RiverBookCommand, RunRiverBook}; }

}  // namespace plamor::draw
