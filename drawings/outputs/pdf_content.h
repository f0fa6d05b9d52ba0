// The content of a PDF page drawn into memory, a piece at a time: stroke
// operators in points (y upward, origin at the page's lower left corner),
// each layer a marked sequence of its optional content group (/OC /ocN),
// each text written relative to its base point (and a text that recurs in
// the piece written again from its first drawing); then compressed as a
// Flate stream. Pieces of one page are independent and can be drawn at once.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "drawings/outputs/page_file.h"

struct libdeflate_compressor;

namespace plamor::drawings {

class PdfContent final : public LayeredPage {
 public:
  // The page's first piece sets the line width and the caps and joins.
  PdfContent(std::string& out, bool firstOfPage, double lineWidthPt);

  void BeginLayer(int index, const std::string& name) override;
  void EndLayer() override;
  void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& dashes) override;
  void MoveTo(graphic::DPoint p) override;
  void LineTo(graphic::DPoint p) override;
  void CurveTo(graphic::DPoint c1, graphic::DPoint c2, graphic::DPoint p) override;
  void StrokePath() override;
  void BeginPlaced(graphic::DPoint origin) override;
  void EndPlaced() override;
  void KeepPlaced(const std::string& key) override;
  bool RepeatPlaced(const std::string& key, graphic::DPoint origin) override;

 private:
  // Up to three points and the operator that takes them.
  void Operation(std::initializer_list<graphic::DPoint> points, char op);
  void MoveOrigin(graphic::DPoint origin);  // q 1 0 0 1 x y cm
  void CloseOrigin();

  std::string& out_;
  // A placed group moves the origin (q ... cm) with its first path, and
  // back (Q) before a stroke is set and at its end, so that colours and
  // dashes are always set outside it.
  bool placed_ = false, originMoved_ = false;
  graphic::DPoint origin_;
  std::string stroke_;  // the stroke in force, as written
  // The group being kept: its key, and where its paths begin in out_ (npos
  // until the origin is moved); a stroke set inside it keeps nothing.
  bool keeping_ = false;
  std::string keepKey_;
  std::size_t keptFrom_ = std::string::npos;
  struct KeptGroup {
    std::string stroke, paths;  // the stroke it was drawn with; its paths up to the origin's return
  };
  std::unordered_map<std::string, KeptGroup> kept_;
};

// Compresses data as the body of a Flate stream (zlib format); one
// compressor per thread, kept for all its pieces.
class FlateCompressor {
 public:
  FlateCompressor();
  std::string Compressed(std::string_view data);

 private:
  std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> compressor_;
  std::string room_;
};

}  // namespace plamor::drawings
