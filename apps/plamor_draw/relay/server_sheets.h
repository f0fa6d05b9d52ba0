// Sheets a command lays out itself (the longitudinal profile and the book of
// cross-sections of a river) drawn through the drawing server, as the chart
// controls draw theirs: each sheet is registered in a drawing object of the
// server, which writes it into the command's file of that sheet (DXF, .plm or
// .atz as the file's name ends) and once more as a standard drawing file into
// a private folder. The sheet read back from that file is what the PDF pages
// show, so that they hold exactly the elements the server wrote.
#pragma once

#include <QTemporaryDir>

#include <iosfwd>

#include "apps/plamor_draw/output_target.h"
#include "drawings/drawing_model.h"
#include "server/host/host_entry.h"

namespace plamor::draw {

class ServerSheets {
 public:
  // std::runtime_error when no private folder can be made.
  explicit ServerSheets(host::Transport transport);

  // Draws `sheet`; `file`, when given, receives the server's own file of it
  // under its temporary name (the caller commits every sheet's file once all
  // are drawn, so that a failed run leaves none behind). Returns the sheet as
  // the server wrote it, with the layer names of `sheet`. std::runtime_error
  // naming the file (or the sheet's number) when the server wrote nothing.
  drawings::DrawingModel Draw(const drawings::DrawingModel& sheet, const OutputTarget* file);

 private:
  host::Transport transport_;
  QTemporaryDir folder_;
  int drawn_ = 0;
};

}  // namespace plamor::draw
