#include "server/dialog/drawing_writer.h"

#include <optional>

#include "platform/error_numbers.h"
#include "platform/prompts.h"
#include "server/dialog/file_prompts.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"
#include "server/formats/atz_writer.h"
#include "server/formats/dxf_r12_writer.h"
#include "server/formats/output_file.h"
#include "server/formats/plm_writer.h"

namespace plamor {
namespace {

// Writes all of `bytes`; a failure asks the user, and Retry writes the rest again.
SaveResult WriteStep(OutputFile& file, std::string_view bytes) {
  for (;;) {
    WriteOutcome outcome = file.Write(bytes);
    if (!outcome.error) return SaveOk;
    bytes.remove_prefix(outcome.taken);
    const int answer = AskFileErrorAction(*outcome.error);
    if (answer == prompts::kRetry) continue;
    return answer == prompts::kYes ? SaveAskName : SaveAbort;
  }
}

// A step that cannot be done at all: the user is told as for a write
// failure; Retry would only fail again, so it asks again.
SaveResult RefuseStep(const FileError& error) {
  for (;;) {
    const int answer = AskFileErrorAction(error);
    if (answer == prompts::kRetry) continue;
    return answer == prompts::kYes ? SaveAskName : SaveAbort;
  }
}

// Appends the bytes of `values` in the writer of `kind`; false when the
// writer cannot hold the element.
template <typename Values>
bool AppendElement(ktpPlamorType kind, std::string& out, const Values& values, const WriteContext& context) {
  switch (kind) {
    case ktpAtz: return atz::AppendElement(out, values, context);
    case ktpPlm: return plm::AppendElement(out, values, context);
    case ktpDxf: return dxf::AppendElement(out, values, context);
  }
  return true;
}

}  // namespace

SaveResult DrawingWriter::Header(const DrawingInfo& info) {
  switch (kind_) {
    case ktpAtz: return WriteStep(file_, atz::HeaderBytes(info));
    case ktpPlm: return WriteStep(file_, plm::HeaderBytes(info, context_));
    case ktpDxf: return WriteStep(file_, dxf::HeaderBytes(context_));
  }
  return SaveOk;
}

SaveResult DrawingWriter::Element(const clsZElement& element) {
  if (element.IsDeleted()) return SaveOk;
  buffer_.clear();
  bool writable = true;
  switch (element.Kind()) {
    case ElementKind::Line:
      writable = AppendElement(kind_, buffer_, static_cast<const clsZLine&>(element).Values(), context_);
      break;
    case ElementKind::Circle:
      writable = AppendElement(kind_, buffer_, static_cast<const clsZCircle&>(element).Values(), context_);
      break;
    case ElementKind::Text:
      writable = AppendElement(kind_, buffer_, static_cast<const clsZText&>(element).Values(), context_);
      break;
  }
  // Not writable: an element on a layer outside 1..128.
  if (!writable) return RefuseStep(oserr::FromNumber(kErrSubscriptOutOfRange));
  return buffer_.empty() ? SaveOk : WriteStep(file_, buffer_);
}

void DrawingWriter::Trailer() {
  if (kind_ == ktpDxf) (void)file_.Write(dxf::TrailerBytes());
}

bool WriteMemoFile(OutputFile& file, std::string_view drawingFileName, std::string_view memo) {
  std::optional<FileError> error = file.Open(plm::MemoFileName(drawingFileName), OpenMode::kText);
  if (!error) {
    const WriteOutcome outcome = file.Write(plm::MemoBytes(memo));
    error = outcome.error;
    if (!error) error = file.Close();
  }
  if (!error) return true;
  file.Discard();
  prompts::ShowError(error->description);
  return false;
}

}  // namespace plamor
