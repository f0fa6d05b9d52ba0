#include "apps/plamor_draw/commands/print_queue.h"

#include <cups/cups.h>

#include <cmath>
#include <stdexcept>

namespace plamor::draw {
namespace {

constexpr drawings::PaperMm kA4{210, 297};

// Hundredths of a millimetre, as CUPS measures paper.
int Hundredths(double mm) { return static_cast<int>(std::lround(mm * 100)); }

// A paper named by a PWG, PPD or legacy media name.
const pwg_media_t* MediaNamed(const char* name) {
  if (name == nullptr || *name == 0) return nullptr;
  if (const pwg_media_t* m = pwgMediaForPWG(name)) return m;
  if (const pwg_media_t* m = pwgMediaForPPD(name)) return m;
  return pwgMediaForLegacy(name);
}

}  // namespace

PrintQueue::PrintQueue(const std::string& name) : name_(name) {
  // A queue that cannot be looked up is unknown only when a scheduler answered.
  constexpr int kConnectTimeoutMs = 5000;
  http_t* scheduler =
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectTimeoutMs, nullptr);
  if (scheduler == nullptr)
    throw std::runtime_error("printer " + name + ": no CUPS scheduler answers at " + cupsServer());
  dest_ = cupsGetNamedDest(scheduler, name.c_str(), nullptr);
  httpClose(scheduler);
  if (dest_ == nullptr) throw std::runtime_error("printer " + name + ": the CUPS scheduler knows no such print queue");
}

PrintQueue::~PrintQueue() { cupsFreeDests(1, dest_); }

drawings::PaperMm PrintQueue::DefaultPaper() const {
  if (const pwg_media_t* m = MediaNamed(cupsGetOption("media", dest_->num_options, dest_->options)))
    return {m->width / 100.0, m->length / 100.0};
  if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest_)) {
    cups_size_t size;
    const bool known = cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest_, info, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    cupsFreeDestInfo(info);
    if (known && size.width > 0 && size.length > 0) return {size.width / 100.0, size.length / 100.0};
  }
  return kA4;
}

int PrintQueue::Print(const std::filesystem::path& pdf, const std::string& title, std::optional<drawings::PaperMm> page) const {
  cups_option_t* options = nullptr;
  int count = 0;
  if (page) {
    const double shortSide = std::min(page->width, page->height), longSide = std::max(page->width, page->height);
    if (const pwg_media_t* media = pwgMediaForSize(Hundredths(shortSide), Hundredths(longSide)))
      count = cupsAddOption("media", media->pwg, count, &options);
  }
  count = cupsAddOption("print-scaling", page ? "none" : "fit", count, &options);
  count = cupsAddOption("document-format", CUPS_FORMAT_PDF, count, &options);
  const int job = cupsPrintFile(name_.c_str(), pdf.c_str(), title.c_str(), count, options);
  cupsFreeOptions(count, options);
  if (job == 0)
    throw std::runtime_error("printer " + name_ + ": the job was refused (" + cupsLastErrorString() + ")");
  return job;
}

}  // namespace plamor::draw
