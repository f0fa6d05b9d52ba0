#include "util/paper_display_names.h"

#include <cups/cups.h>
#include <cups/ppd.h>
#include <unistd.h>

#include <memory>
#include <optional>

#include "util/cups_media_table.h"

// The PPD interface is the only one through which CUPS gives the page-size
// texts of a driver-based queue; it is marked deprecated in favour of IPP
// localisation, which such queues do not fill.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace plamor::paper {
namespace {

struct PageSizeText {
  PaperSize size;
  std::string text;
};

// The page sizes of the printer's PPD with their texts; empty for a printer
// without one.
std::vector<PageSizeText> PpdPageSizes(const std::string& printer) {
  time_t modified = 0;
  char file[1024] = "";
  if (cupsGetPPD3(CUPS_HTTP_DEFAULT, printer.c_str(), &modified, file, sizeof file) != HTTP_STATUS_OK) return {};
  std::vector<PageSizeText> sizes;
  if (ppd_file_t* ppd = ppdOpenFile(file)) {
    const ppd_option_t* pageSize = ppdFindOption(ppd, "PageSize");
    for (int i = 0; pageSize && i < ppd->num_sizes; ++i) {
      const ppd_size_t& s = ppd->sizes[i];
      const ppd_choice_t* choice = ppdFindChoice(const_cast<ppd_option_t*>(pageSize), s.name);
      const char* text = choice && choice->text[0] ? choice->text : s.name;
      sizes.push_back({{PWG_FROM_POINTS(s.width), PWG_FROM_POINTS(s.length)}, text});
    }
    ppdClose(ppd);
  }
  unlink(file);
  return sizes;
}

struct DestinationInfo {
  cups_dest_t* dest = nullptr;
  cups_dinfo_t* info = nullptr;
  explicit DestinationInfo(const std::string& printer)
      : dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.c_str(), nullptr)),
        info(dest ? cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest) : nullptr) {}
  ~DestinationInfo() {
    cupsFreeDestInfo(info);
    if (dest) cupsFreeDests(1, dest);
  }
  DestinationInfo(const DestinationInfo&) = delete;
  DestinationInfo& operator=(const DestinationInfo&) = delete;

  // The printer's text for a media name, or the name itself.
  std::string Localized(const std::string& media) const {
    const char* text = info ? cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest, info, "media", media.c_str()) : nullptr;
    return text && *text ? text : media;
  }
};

}  // namespace

std::vector<std::string> PaperDisplayNames(const std::string& printer, const std::vector<std::string>& media) {
  const std::vector<PageSizeText> ppdSizes = PpdPageSizes(printer);
  std::unique_ptr<DestinationInfo> dest;
  std::vector<std::string> names;
  for (const std::string& name : media) {
    const std::optional<PaperSize> size = SizeOfMediaName(name);
    const PageSizeText* match = nullptr;
    for (const PageSizeText& ppdSize : ppdSizes) {
      if (size && SameSize(ppdSize.size, *size)) {
        match = &ppdSize;
        break;
      }
    }
    if (match) {
      names.push_back(match->text);
      continue;
    }
    if (!dest) dest = std::make_unique<DestinationInfo>(printer);
    names.push_back(dest->Localized(name));
  }
  return names;
}

}  // namespace plamor::paper
