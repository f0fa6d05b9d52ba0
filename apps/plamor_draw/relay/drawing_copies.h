// The files of a chart drawing (sections, hq) beyond the drawing server's
// own DXF: the PDF of exactly the drawing that went into the DXF, and the
// DXF of a current version in place of the binding one. The drawing server
// writes the same element store once more as a standard drawing file into a
// private temporary folder; both are made from that file, so they hold the
// very elements of the DXF (merged lines merged, pen 0 left out) as the
// writers saw them.
#pragma once

#include <QTemporaryDir>

#include <filesystem>
#include <optional>

#include "apps/plamor_draw/option_values.h"
#include "apps/plamor_draw/output_target.h"

namespace plamor::draw {

class DrawingLink;

class DrawingCopies {
 public:
  // Reads --pdf and --dxf-version; InputError naming a target that cannot
  // be written, UsageError for a version that cannot be written.
  DrawingCopies(const CommandLine& line, OutputTarget& drawing);

  // The file the drawing server writes its DXF into.
  std::string ServerFile() const;
  // Asks the link's drawing objects for the standard drawing file when it is needed.
  void Prepare(DrawingLink& link);
  // Puts the DXF in place (the current version made from the copy, when
  // asked), then writes and puts in place the PDF.
  void Finish(const DrawingLink& link);

 private:
  OutputTarget& drawing_;
  bool modernDxf_ = false;
  std::optional<OutputTarget> pdf_;
  std::optional<QTemporaryDir> folder_;
};

// The help of --dxf-version.
inline constexpr const char* kDxfVersionHelp =
    "2000 writes DXF of AutoCAD 2000 (real ellipses, slanted and vertical texts, Japanese text CAD programs "
    "show) instead of the binding R12 drawing";

// Checks the value of --dxf-version: true for a version written by the
// current-version DXF writer, UsageError for any other.
bool ParseDxfVersion(const std::optional<std::string>& value);

}  // namespace plamor::draw
