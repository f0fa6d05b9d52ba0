// The output run's writing of one file: the header, every element and the
// trailer of the chosen kind through the writer of that kind, with the
// run's WriteContext. Each step asks the user about a failed write
// (AskFileErrorAction): Retry writes the rest again, Yes gives SaveAskName,
// any other answer SaveAbort. Bytes already taken are never written twice.
#pragma once

#include <string>
#include <string_view>

#include "server/formats/drawing_info.h"
#include "server/formats/write_context.h"
#include "server/types.h"

namespace plamor {

class OutputFile;
class clsZElement;

class DrawingWriter {
 public:
  // `file` is open; `context` outlives the writer.
  DrawingWriter(ktpPlamorType kind, OutputFile& file, const WriteContext& context)
      : kind_(kind), file_(file), context_(context) {}

  SaveResult Header(const DrawingInfo& info);
  // Writes one element: a removed element ("DEL") or pen 0 writes nothing,
  // and so does an unknown kind. An element on a layer outside 1..128 that
  // the kind cannot hold is reported as a file error that no retry can mend.
  SaveResult Element(const clsZElement& element);
  // The DXF trailer (other kinds have none); its failures are ignored.
  void Trailer();

 private:
  ktpPlamorType kind_;
  OutputFile& file_;
  const WriteContext& context_;
  std::string buffer_;  // the bytes of one element, reused so that writing does not allocate
};

// Writes `memo` as one line into the memo file of `drawingFileName`. A failure
// is shown (its description, title "ｴﾗｰ") and gives false; nothing of the memo
// file is then left, and an earlier memo file stays as it was.
bool WriteMemoFile(OutputFile& file, std::string_view drawingFileName, std::string_view memo);

}  // namespace plamor
