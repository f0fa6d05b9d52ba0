// Paper lists and default paper size / orientation of printers, on CUPS.
// Result codes and the two kinds of defaults are described in tessaro_paper.h.
#include "util/tessaro_paper.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "util/cups_media_table.h"
#include "util/paper_display_names.h"

namespace {

using plamor::paper::CodeOfMediaName;
using plamor::paper::kFirstPrinterPaperCode;
using plamor::paper::MediaNameOfCode;

// Orientations of the host (DMORIENT_) and of IPP (orientation-requested).
constexpr int kPortrait = 1;
constexpr int kLandscape = 2;
constexpr int kIppPortrait = 3;
constexpr int kIppLandscape = 4;
constexpr int kIppReverseLandscape = 5;  // 6, reverse portrait, counts as portrait

// What a printer without a stored paper default reports.
constexpr int kPaperWithoutDefault = 9;  // A4
constexpr int kOrientationWithoutDefault = kLandscape;

// SetPapers results.
constexpr int kSetDone = 0;
constexpr int kSetUnanswered = -4;
constexpr int kSetRefused = -2;
constexpr int kSetNotStored = -5;
constexpr int kSetBadValue = -6;
constexpr int kSetUnknownPrinter = -99;

struct IppDelete {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppResponse = std::unique_ptr<ipp_t, IppDelete>;

// A destination name split into printer and instance, in UTF-8.
struct Destination {
  std::string printer;
  std::string instance;  // empty for the printer itself
  const char* InstanceOrNull() const { return instance.empty() ? nullptr : instance.c_str(); }
};

std::optional<Destination> ParseDestination(const char* cp932Name) {
  if (!cp932Name || !*cp932Name) return std::nullopt;
  std::string name = plamor::cp932::ToUtf8(cp932Name);
  Destination dest;
  const auto slash = name.find('/');
  dest.printer = name.substr(0, slash);
  if (slash != std::string::npos) dest.instance = name.substr(slash + 1);
  if (dest.printer.empty()) return std::nullopt;
  return dest;
}

// The printer's attributes that the paper functions read.
struct PrinterPapers {
  std::vector<std::string> mediaSupported;
  std::optional<std::string> mediaDefault;
  std::optional<int> orientationDefault;  // IPP enum
  bool orientationSupported = false;
};

enum class QueryResult { kOk, kUnknownPrinter, kUnanswered, kRefused };

void AddPrinterTarget(ipp_t* request, const std::string& printer) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                   printer.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
}

// True for an attribute that holds a value (not "no-value" or "unknown").
bool HasValue(ipp_attribute_t* attr) {
  return attr && ippGetCount(attr) > 0 && ippGetValueTag(attr) >= IPP_TAG_INTEGER;
}

std::optional<std::string> StringOf(ipp_t* response, const char* name) {
  ipp_attribute_t* attr = ippFindAttribute(response, name, IPP_TAG_ZERO);
  if (!HasValue(attr) || ippGetValueTag(attr) < IPP_TAG_TEXT) return std::nullopt;
  const char* value = ippGetString(attr, 0, nullptr);
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

QueryResult QueryPrinter(const std::string& printer, PrinterPapers& out) {
  static const char* const kRequested[] = {"media-supported", "media-default", "orientation-requested-default",
                                           "orientation-requested-supported"};
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  AddPrinterTarget(request, printer);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(kRequested)), nullptr, kRequested);
  IppResponse response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
  if (!response) return cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND ? QueryResult::kUnknownPrinter
                                                                      : QueryResult::kUnanswered;
  const ipp_status_t status = ippGetStatusCode(response.get());
  if (status == IPP_STATUS_ERROR_NOT_FOUND) return QueryResult::kUnknownPrinter;
  if (status > IPP_STATUS_OK_CONFLICTING) return QueryResult::kRefused;

  out = PrinterPapers{};
  if (ipp_attribute_t* media = ippFindAttribute(response.get(), "media-supported", IPP_TAG_ZERO);
      HasValue(media) && ippGetValueTag(media) >= IPP_TAG_TEXT) {
    for (int i = 0; i < ippGetCount(media); ++i)
      if (const char* name = ippGetString(media, i, nullptr)) out.mediaSupported.emplace_back(name);
  }
  out.mediaDefault = StringOf(response.get(), "media-default");
  if (ipp_attribute_t* o = ippFindAttribute(response.get(), "orientation-requested-default", IPP_TAG_ENUM))
    out.orientationDefault = ippGetInteger(o, 0);
  if (ipp_attribute_t* o = ippFindAttribute(response.get(), "orientation-requested-supported", IPP_TAG_ENUM)) {
    for (int i = 0; i < ippGetCount(o); ++i) {
      const int value = ippGetInteger(o, i);
      if (value == kIppPortrait || value == kIppLandscape) out.orientationSupported = true;
    }
  }
  return QueryResult::kOk;
}

// The code of one of the printer's papers: the standard code of its size,
// else 256 plus its place in the printer's list (256 for a paper it does not
// list).
int PaperCodeOf(const std::string& media, const std::vector<std::string>& supported) {
  if (const auto code = CodeOfMediaName(media)) return *code;
  const auto it = std::find(supported.begin(), supported.end(), media);
  return kFirstPrinterPaperCode + static_cast<int>(it == supported.end() ? 0 : it - supported.begin());
}

// The media name to give the printer for a paper code: the name the printer
// lists for it, or the PWG name of the code's size for a printer that lists
// none.
std::optional<std::string> MediaNameFor(std::uint16_t code, const std::vector<std::string>& supported) {
  if (supported.empty()) return MediaNameOfCode(code);
  for (const std::string& media : supported)
    if (PaperCodeOf(media, supported) == code) return media;
  return std::nullopt;
}

int HostOrientationOf(int ippOrientation) {
  return ippOrientation == kIppLandscape || ippOrientation == kIppReverseLandscape ? kLandscape : kPortrait;
}

std::optional<int> IppOrientationFor(std::int32_t hostOrientation) {
  switch (static_cast<std::int16_t>(hostOrientation)) {
    case kPortrait: return kIppPortrait;
    case kLandscape: return kIppLandscape;
    default: return std::nullopt;
  }
}

std::uint16_t PaperArgument(std::int32_t paperSize) { return static_cast<std::uint16_t>(paperSize); }

// The code of a user's media option; older option files may add a tray or
// paper type after a comma ("A4,Tray1"): the first part that is a paper counts.
int UserPaperCode(const std::string& option, const std::vector<std::string>& supported) {
  for (std::size_t from = 0; from <= option.size();) {
    const std::size_t comma = std::min(option.find(',', from), option.size());
    const std::string part = option.substr(from, comma - from);
    if (CodeOfMediaName(part) || std::find(supported.begin(), supported.end(), part) != supported.end())
      return PaperCodeOf(part, supported);
    from = comma + 1;
  }
  return PaperCodeOf(option, supported);
}

int StoredPaperSize(const PrinterPapers& papers) {
  if (!papers.mediaDefault) return kPaperWithoutDefault;
  return static_cast<std::int16_t>(PaperCodeOf(*papers.mediaDefault, papers.mediaSupported));
}

int StoredOrientation(const PrinterPapers& papers) {
  if (!papers.mediaDefault) return kOrientationWithoutDefault;
  // Jobs of a printer without a stored orientation come out portrait.
  return papers.orientationDefault ? HostOrientationOf(*papers.orientationDefault) : kPortrait;
}

// Copies a paper name into a 64-byte slot: CP932, at most 63 bytes cut at a
// character boundary, NUL-filled.
void WritePaperName(const std::string& nameUtf8, char* slot) {
  const std::string text = plamor::cp932::FromUtf8(nameUtf8);
  std::size_t length = 0;
  while (length < text.size()) {
    const std::size_t step = plamor::cp932::IsLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
    if (length + step > TESSARO_PAPER_NAME_BYTES - 1 || length + step > text.size()) break;
    length += step;
  }
  std::memset(slot, 0, TESSARO_PAPER_NAME_BYTES);
  std::memcpy(slot, text.data(), length);
}

// The printer's papers for the list functions, or nullopt.
std::optional<PrinterPapers> ListedPapers(const char* device) {
  const auto dest = ParseDestination(device);
  PrinterPapers papers;
  if (!dest || QueryPrinter(dest->printer, papers) != QueryResult::kOk) return std::nullopt;
  return papers;
}

// All destinations of this user, freed on leaving.
class UserDestinations {
 public:
  UserDestinations() : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)) {}
  ~UserDestinations() { cupsFreeDests(count_, dests_); }
  UserDestinations(const UserDestinations&) = delete;
  UserDestinations& operator=(const UserDestinations&) = delete;

  cups_dest_t* Find(const Destination& dest) {
    return cupsGetDest(dest.printer.c_str(), dest.InstanceOrNull(), count_, dests_);
  }
  bool Save() { return cupsSetDests2(CUPS_HTTP_DEFAULT, count_, dests_) == 0; }

 private:
  cups_dest_t* dests_ = nullptr;
  int count_;
};

// Changing a printer's stored defaults needs the right to administer it.
// Without it the change fails at once, as for a user without full printer
// access, instead of CUPS asking for a password on the terminal.
class NoPasswordPrompt {
 public:
  NoPasswordPrompt() { cupsSetPasswordCB2(NoPassword, nullptr); }
  ~NoPasswordPrompt() { cupsSetPasswordCB2(nullptr, nullptr); }
  NoPasswordPrompt(const NoPasswordPrompt&) = delete;
  NoPasswordPrompt& operator=(const NoPasswordPrompt&) = delete;

 private:
  static const char* NoPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }
};

void SetOption(cups_dest_t* dest, const char* name, const std::string& value) {
  dest->num_options = cupsAddOption(name, value.c_str(), dest->num_options, &dest->options);
}

// The user's option of a destination, or nullopt.
std::optional<std::string> UserOption(const Destination& dest, const char* option) {
  cups_dest_t* named = cupsGetNamedDest(CUPS_HTTP_DEFAULT, dest.printer.c_str(), dest.InstanceOrNull());
  if (!named) return std::nullopt;
  const char* value = cupsGetOption(option, named->num_options, named->options);
  std::optional<std::string> result = value && *value ? std::optional<std::string>(value) : std::nullopt;
  cupsFreeDests(1, named);
  return result;
}

// A failure status of CUPS for SetPapers95: never 0.
int FailureStatus(ipp_status_t fallback) {
  const ipp_status_t last = cupsLastError();
  return last > IPP_STATUS_OK_CONFLICTING ? static_cast<int>(last) : static_cast<int>(fallback);
}

}  // namespace

int32_t GetPaperNamesCount(const char* device, const char* /*port*/) {
  const auto papers = ListedPapers(device);
  return papers ? static_cast<int32_t>(papers->mediaSupported.size()) : -1;
}

int32_t GetPaperNames(const char* device, const char* /*port*/, char* names) {
  const auto dest = ParseDestination(device);
  PrinterPapers papers;
  if (!dest || QueryPrinter(dest->printer, papers) != QueryResult::kOk) return -1;
  if (names) {
    const auto shown = plamor::paper::PaperDisplayNames(dest->printer, papers.mediaSupported);
    for (std::size_t i = 0; i < shown.size(); ++i) WritePaperName(shown[i], names + i * TESSARO_PAPER_NAME_BYTES);
  }
  return static_cast<int32_t>(papers.mediaSupported.size());
}

int32_t GetPapers(const char* device, const char* /*port*/, uint16_t* codes) {
  const auto papers = ListedPapers(device);
  if (!papers) return -1;
  if (codes) {
    for (std::size_t i = 0; i < papers->mediaSupported.size(); ++i)
      codes[i] = static_cast<uint16_t>(PaperCodeOf(papers->mediaSupported[i], papers->mediaSupported));
  }
  return static_cast<int32_t>(papers->mediaSupported.size());
}

int32_t GetDefaultPaperSize(const char* printer) {
  const auto papers = ListedPapers(printer);
  return papers ? StoredPaperSize(*papers) : -1;
}

int32_t GetDefaultPaperOrientation(const char* printer) {
  const auto papers = ListedPapers(printer);
  return papers ? StoredOrientation(*papers) : -1;
}

int32_t GetDefaultPaperSize95(const char* printer) {
  const auto dest = ParseDestination(printer);
  PrinterPapers papers;
  if (!dest || QueryPrinter(dest->printer, papers) != QueryResult::kOk) return -1;
  const auto media = UserOption(*dest, "media");
  return media ? static_cast<std::int16_t>(UserPaperCode(*media, papers.mediaSupported)) : StoredPaperSize(papers);
}

int32_t GetDefaultPaperOrientation95(const char* printer) {
  const auto dest = ParseDestination(printer);
  PrinterPapers papers;
  if (!dest || QueryPrinter(dest->printer, papers) != QueryResult::kOk) return -1;
  const auto orientation = UserOption(*dest, "orientation-requested");
  return orientation ? HostOrientationOf(std::atoi(orientation->c_str())) : StoredOrientation(papers);
}

int32_t SetPapers(const char* printer, int32_t /*unused*/, int32_t paperSize, int32_t orientation) {
  const auto dest = ParseDestination(printer);
  if (!dest) return kSetUnknownPrinter;
  PrinterPapers papers;
  switch (QueryPrinter(dest->printer, papers)) {
    case QueryResult::kOk: break;
    case QueryResult::kUnknownPrinter: return kSetUnknownPrinter;
    case QueryResult::kUnanswered: return kSetUnanswered;
    case QueryResult::kRefused: return kSetRefused;
  }
  if (!papers.mediaDefault) return kSetDone;  // nothing stored to change

  const auto media = MediaNameFor(PaperArgument(paperSize), papers.mediaSupported);
  const auto ippOrientation = IppOrientationFor(orientation);
  if (!media || !ippOrientation) return kSetBadValue;

  ipp_t* request = ippNewRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER);
  AddPrinterTarget(request, dest->printer);
  ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_NAME, "media-default", nullptr, media->c_str());
  ippAddInteger(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "orientation-requested-default", *ippOrientation);
  const NoPasswordPrompt noPrompt;
  IppResponse response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/admin/"));
  if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING) return kSetNotStored;
  return kSetDone;
}

int32_t SetPapers95(const char* printer, int32_t /*unused*/, int32_t paperSize, int32_t orientation) {
  const auto dest = ParseDestination(printer);
  if (!dest) return IPP_STATUS_ERROR_NOT_FOUND;
  PrinterPapers papers;
  switch (QueryPrinter(dest->printer, papers)) {
    case QueryResult::kOk: break;
    case QueryResult::kUnknownPrinter: return IPP_STATUS_ERROR_NOT_FOUND;
    case QueryResult::kUnanswered:
    case QueryResult::kRefused: return FailureStatus(IPP_STATUS_ERROR_SERVICE_UNAVAILABLE);
  }
  const auto media = MediaNameFor(PaperArgument(paperSize), papers.mediaSupported);
  const auto ippOrientation = IppOrientationFor(orientation);
  if (!media || !ippOrientation) return IPP_STATUS_ERROR_ATTRIBUTES_OR_VALUES;

  UserDestinations dests;
  cups_dest_t* target = dests.Find(*dest);
  if (!target) return IPP_STATUS_ERROR_NOT_FOUND;
  SetOption(target, "media", *media);
  SetOption(target, "orientation-requested", std::to_string(*ippOrientation));
  return dests.Save() ? 0 : FailureStatus(IPP_STATUS_ERROR_INTERNAL);
}

int32_t SetPapers2(HWND /*ownerWindow*/, const char* printer, int32_t /*unused*/, int32_t paperSize,
                   int32_t orientation) {
  const auto dest = ParseDestination(printer);
  PrinterPapers papers;
  if (!dest || QueryPrinter(dest->printer, papers) != QueryResult::kOk) return -1;

  const bool setsOrientation = papers.orientationSupported;
  const bool setsPaper = !papers.mediaSupported.empty();
  const auto ippOrientation = IppOrientationFor(orientation);
  const auto media = MediaNameFor(PaperArgument(paperSize), papers.mediaSupported);
  if ((setsOrientation && !ippOrientation) || (setsPaper && !media)) return -1;
  if (!setsOrientation && !setsPaper) return 0;

  UserDestinations dests;
  cups_dest_t* target = dests.Find(*dest);
  if (!target) return -1;
  int changed = 0;
  if (setsOrientation) {
    SetOption(target, "orientation-requested", std::to_string(*ippOrientation));
    changed |= 1;
  }
  if (setsPaper) {
    SetOption(target, "media", *media);
    changed |= 2;
  }
  return dests.Save() ? changed : -1;
}
